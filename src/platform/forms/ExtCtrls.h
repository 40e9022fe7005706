#pragma once

#include <QFrame>

#include "platform/forms/Controls.h"

enum TBevelCut { bvNone, bvLowered, bvRaised };

// A panel: a container with a raised bevel and a caption drawn in its middle.
class TPanel : public QFrame, public TWinControl {
 public:
  explicit TPanel(TComponent* owner);
  void SetBevelOuter(TBevelCut bevel);
  void SetAlignment(TAlignment alignment);

 protected:
  void CaptionChanged() override { update(); }
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  TAlignment alignment_ = taCenter;
};

// A panel laid out as the windows lay theirs: aligned to a side or the client area, size its
// width (alLeft, alRight) or its height (otherwise).
TPanel* NewAlignedPanel(TComponent* owner, TWinControl* parent, TAlign align, int size, TBevelCut bevel = bvNone);
