#include "platform/forms/ExtCtrls.h"

#include <QPainter>

#include "platform/forms/QtText.h"

TPanel::TPanel(TComponent* owner) : QFrame(ClientWidgetOf(owner)), TWinControl(owner, this, 185, 41) {
  SetBevelOuter(bvRaised);
}

void TPanel::SetBevelOuter(TBevelCut bevel) {
  setFrameShape(bevel == bvNone ? QFrame::NoFrame : QFrame::Panel);
  setFrameShadow(bevel == bvLowered ? QFrame::Sunken : QFrame::Raised);
  setLineWidth(1);
  AlignControls();
}

void TPanel::SetAlignment(TAlignment alignment) {
  alignment_ = alignment;
  update();
}

void TPanel::paintEvent(QPaintEvent* event) {
  QFrame::paintEvent(event);
  if (Caption().empty()) return;
  QPainter painter(this);
  painter.drawText(contentsRect(), static_cast<int>(QtAlignment(alignment_) | Qt::AlignVCenter), ToQtLine(Caption()));
}

void TPanel::resizeEvent(QResizeEvent* event) {
  QFrame::resizeEvent(event);
  AlignControls();
}

TPanel* NewAlignedPanel(TComponent* owner, TWinControl* parent, TAlign align, int size, TBevelCut bevel) {
  auto* panel = new TPanel(owner);
  panel->SetParent(parent);
  panel->SetBevelOuter(bevel);
  if (align == alLeft || align == alRight)
    panel->SetWidth(size);
  else
    panel->SetHeight(size);
  panel->SetAlign(align);
  return panel;
}
