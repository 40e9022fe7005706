#pragma once

#include <QMainWindow>
#include <QPointer>
#include <memory>
#include <vector>

#include "platform/Exception.h"
#include "platform/forms/Controls.h"

class QApplication;
class QEventLoop;
class QMdiArea;
class QMdiSubWindow;
class MdiFrame;
class TMainMenu;

// Forms and the application object of the class library.

enum TFormStyle { fsNormal, fsMDIChild, fsMDIForm };
enum TCloseAction { caNone, caHide, caFree, caMinimize };
enum TWindowState { wsNormal, wsMinimized, wsMaximized };
enum TPosition { poDesigned, poDefault, poScreenCenter, poMainFormCenter };
enum TFormBorderStyle { bsSizeable, bsSingle, bsDialog };

// Border icons, combined with "|".
enum TBorderIcon { biSystemMenu = 1, biMinimize = 2, biMaximize = 4 };

using TModalResult = int;
constexpr TModalResult mrNone = 0;
constexpr TModalResult mrOk = 1;
constexpr TModalResult mrCancel = 2;

using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;

// A window of the program. A window class derives from it, builds its controls in its
// constructor and binds its events there; the creation event fires after the whole
// constructor has run, when the window is made with NewForm or Application->CreateForm.
// An MDI frame (fsMDIForm) keeps its MDI children in the client area that its aligned
// controls leave; an MDI child (fsMDIChild) needs a frame as its owner and is shown as
// soon as it is created. A child of default position (poDefault) opens cascaded: each one
// a title bar's height further down and right than the one before, starting again at the
// top left after as many steps as a third of the frame's height holds; a maximised one
// goes back to that place when it is restored.
class TForm : public QMainWindow, public TWinControl {
 public:
  explicit TForm(TComponent* owner, TFormStyle style = fsNormal);
  ~TForm() override;

  TFormStyle FormStyle() const { return style_; }

  // Fires the creation event, once; NewForm and CreateForm call it after the constructor.
  // Showing a window that has not had it yet fires it first.
  void AfterConstruction();

  QWidget* ClientWidget() const override;
  int ClientWidth() const;
  int ClientHeight() const;
  void SetClientWidth(int width);
  void SetClientHeight(int height);

  // The smallest client area that the user can give the window (the menu bar comes on top).
  void SetMinClientSize(int width, int height);

  // The window's menu bar.
  void SetMenu(TMainMenu* menu);

  void SetPosition(TPosition position) { position_ = position; }
  void SetBorderStyle(TFormBorderStyle style);
  void SetBorderIcons(int icons);

  TWindowState WindowState() const { return windowState_; }
  void SetWindowState(TWindowState state);

  // Closes the window as the class library does: OnClose runs once with the default action
  // (caMinimize for an MDI child, caHide otherwise), which the handler may change; caFree
  // frees the window once the events in hand are done, caNone keeps it open. Closing the
  // main form ends the application. For a modal window it only sets mrCancel.
  void Close();

  // Brings the window to the front; an MDI child becomes the active one, and a minimised one
  // gets back the state it had before (maximised when it was).
  void BringToFront();

  // Shows the window modally until its modal result is set, and returns that result. A modal
  // window is a dialog of the main form: transient for it, centred on it when its position
  // says so, without buttons to minimise or maximise it.
  TModalResult ShowModal();
  TModalResult ModalResult() const { return modalResult_; }
  void SetModalResult(TModalResult result);

  // The frame's MDI area (null for other windows) and its active child.
  QMdiArea* MdiArea() const { return mdiArea_; }
  TForm* ActiveMDIChild() const;

  TNotifyEvent OnCreate;
  // For an MDI child: it became the active child.
  TNotifyEvent OnActivate;
  TCloseEvent OnClose;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;
  void CaptionChanged() override;
  void ApplyBounds() override;
  void ApplyVisible() override;
  QRect AlignRect() const override;
  void PlaceRemainder(const QRect& rest) override;

 private:
  friend class MdiFrame;
  class Client;

  void ShowWindow();
  Qt::WindowFlags WindowFlags() const;
  void ApplyWindowFlags();
  void BecomeDialogOfMainForm();
  void PlaceOnShow();
  void Place();
  QRect AvailableArea() const;
  void ChildActivated(QMdiSubWindow* window);
  int MenuHeight() const;
  QPoint NextCascadePlace(const QMdiSubWindow* frame);

  TFormStyle style_;
  Client* client_;
  QMdiArea* mdiArea_ = nullptr;
  MdiFrame* frame_ = nullptr;
  bool frameClosing_ = false;
  QPointer<TForm> lastActiveChild_;
  TMainMenu* menu_ = nullptr;
  TPosition position_ = poDesigned;
  TFormBorderStyle borderStyle_ = bsSizeable;
  int borderIcons_ = biSystemMenu | biMinimize | biMaximize;
  TWindowState windowState_ = wsNormal;
  TWindowState stateBeforeMinimised_ = wsNormal;
  bool dialogOfMainForm_ = false;
  TModalResult modalResult_ = mrNone;
  QEventLoop* modalLoop_ = nullptr;
  bool created_ = false;
  bool placed_ = false;
  int cascaded_ = 0;  // of a frame: the children placed by default so far
  bool closing_ = false;
  bool released_ = false;
};

// The busy cursor over every window of the program for its lifetime, as the class library's
// Screen->Cursor = crHourGlass around a long step: shown at once, also while no events run.
// Message boxes show the usual cursor meanwhile.
class TBusyCursor {
 public:
  TBusyCursor();
  ~TBusyCursor();
  TBusyCursor(const TBusyCursor&) = delete;
  TBusyCursor& operator=(const TBusyCursor&) = delete;
};

// Makes a window and fires its creation event after its constructor:
// NewForm<TfrmDataForm>(this, templates, data).
template <class T, class... Args>
T* NewForm(Args&&... args) {
  T* form = new T(std::forward<Args>(args)...);
  form->AfterConstruction();
  return form;
}

// The application object. Every handler that the layer runs goes through it: an exception
// that leaves a handler is shown in the exception box and the program goes on.
class TApplication : public TComponent {
 public:
  TApplication() : TComponent(nullptr) {}

  // Installs the message box dialog, Qt's Russian translation (InstallQtTranslation from
  // Qt's translations folder) and the program's icon; needs the ApplicationHost. A workbook's
  // opener that fails once started is shown in a message box when the loop next runs. The icon
  // is made of the PNG files under the resource folder ":/MAINICON" (one per size), as the
  // class library takes the executable's MAINICON; every window without an icon of its
  // own shows it. A program without them keeps Qt's.
  void Initialize();

  // Makes a form owned by the application; the first one becomes the main form. The
  // reference is set after the constructor, before the creation event.
  template <class T>
  void CreateForm(T*& reference) {
    T* form = new T(this);
    reference = form;
    form->AfterConstruction();
    if (mainForm_ == nullptr) mainForm_ = form;
  }

  // Shows the main form and runs the message loop until Terminate.
  void Run();
  void Terminate();
  bool Terminated() const { return terminated_; }

  TForm* MainForm() const { return mainForm_; }

  // The exception box's title: the program's file name without its extension unless set.
  AnsiString Title() const;
  void SetTitle(const AnsiString& title) { title_ = title; }

  // The exception box: the title, the message with a final "." (unless it is empty or
  // already ends in a character up to "."), an OK button and the error icon.
  void ShowException(const Exception& exception);
  // Inside a catch: shows whatever was thrown (an Exception's message, a std::exception's
  // what(), an empty message for anything else).
  void HandleException(TObject* Sender);

  // Frees the forms the application owns, the last made first.
  void DestroyComponents();

 private:
  friend class TForm;
  void AddForm(TForm* form) { forms_.push_back(form); }
  void RemoveForm(TForm* form);

  std::vector<TForm*> forms_;
  TForm* mainForm_ = nullptr;
  AnsiString title_;
  bool terminated_ = false;
};

extern TApplication* const Application;

// Qt's own texts (the file dialog, the buttons of the message boxes, the menu of an MDI
// child) in Russian: installs "qtbase_ru.qm" from the folder in place of the translation
// installed before. Without that file (Qt's translations are not installed) it returns false
// and Qt shows its English texts, as before.
bool InstallQtTranslation(const QString& folder);

// The Qt application beneath Application, for main and for test programs. Made first, it
// frees every form before Qt ends; an exception that escapes Qt's event handling is shown.
class ApplicationHost {
 public:
  ApplicationHost(int& argc, char** argv);
  ~ApplicationHost();
  ApplicationHost(const ApplicationHost&) = delete;
  ApplicationHost& operator=(const ApplicationHost&) = delete;

 private:
  std::unique_ptr<QApplication> app_;
};
