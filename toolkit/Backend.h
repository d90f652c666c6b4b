// The seam between the toolkit and the windowing system that carries it. A backend gives each
// windowed control a native window (a host), delivers input, paint and messages to the control,
// and runs the event loop. Without a backend (tests of the component model) controls keep their
// state and paint nothing.
#pragma once

#include <memory>
#include <string>

#include "toolkit/Graphics.h"

class TWinControl;
class TCustomForm;

enum class BorderKind { None, Single, Sizeable, Dialog };

class WindowHost {
 public:
  virtual ~WindowHost() = default;
  virtual void SetBounds(const TRect& bounds) = 0;  // in the parent's client coordinates
  virtual void SetVisible(bool visible) = 0;
  virtual void Invalidate(const TRect& rect) = 0;  // in the control's client coordinates
  virtual void SetFocus() = 0;
  virtual bool HasFocus() const = 0;
  virtual void SetTabOrder(const std::vector<TWinControl*>& tabStops) = 0;
  // Top-level windows only.
  virtual void SetCaption(const std::string& caption) = 0;
  virtual void SetFrame(BorderKind border, bool systemMenu, bool minimize, bool maximize) = 0;
  // The outer size of the window with its frame, for placing it on the screen.
  virtual TPoint FrameSize(int clientWidth, int clientHeight) const = 0;
};

struct ScreenInfo {
  int width = 1024;
  int height = 768;
  int depth = 24;  // bits per pixel
};

class ToolkitBackend {
 public:
  virtual ~ToolkitBackend() = default;
  virtual std::unique_ptr<WindowHost> CreateHost(TWinControl& control) = 0;
  virtual ScreenInfo Screen() const = 0;
  // Runs until Terminate; returns the exit code.
  virtual int Run() = 0;
  // Ends the event loop once it reaches the request (a quit message is posted).
  virtual void Terminate() = 0;
  // The measures of `font` as this system draws it, for controls that size themselves to their
  // text; null where nothing can measure.
  virtual std::unique_ptr<FontMetrics> MeasureFont(const TFont& /*font*/) const { return nullptr; }
};

// The backend in use; null in tests without a screen. Returns the previous one.
ToolkitBackend* SetToolkitBackend(ToolkitBackend* backend);
ToolkitBackend* CurrentToolkitBackend();

// The display depth when the program started (24 without a backend).
int ScreenDepth();
