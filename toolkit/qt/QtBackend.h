// Carries the toolkit on Qt Widgets: a QWidget for every windowed control, painting through
// QPainter, input and focus delivered to the controls, message boxes on QMessageBox.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "foundation/MessageBoxes.h"
#include "toolkit/Backend.h"

class QWidget;
class TCustomForm;

class QtToolkitBackend : public ToolkitBackend {
 public:
  // A QApplication must exist.
  QtToolkitBackend();
  ~QtToolkitBackend() override;

  std::unique_ptr<WindowHost> CreateHost(TWinControl& control) override;
  ScreenInfo Screen() const override;
  int Run() override;
  void Terminate() override;
  std::unique_ptr<FontMetrics> MeasureFont(const TFont& font) const override;

  // Delivers the system's device-change messages to `window` (where the system does not send
  // them to windows itself, a monitor of the platform layer provides them).
  void DeliverDeviceChanges(TWinControl& window);

  // Called once after the first complete paint of a top-level window (start-up timing, screenshots).
  std::function<void(TCustomForm& form, QWidget& window)> onFirstPaint;

 private:
  friend class ControlWidget;
  void NotifyPainted(TCustomForm& form, QWidget& window);
  bool firstPaintSeen_ = false;
  struct DeviceWatch;
  std::unique_ptr<DeviceWatch> deviceWatch_;
};

// Real dialogs. Escape presses Cancel, else No, else OK; Enter presses OK, else Yes; closing
// from the title bar yields Cancel's result.
class QtMessageBoxes : public MessageBoxPresenter {
 public:
  int Show(const MessageBoxRequest& request) override;
};

// The widget that carries a control (for tests that drive input).
QWidget* WidgetOf(TWinControl& control);
