#include "toolkit/qt/QtBackend.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QSocketNotifier>
#include <QWidget>

#include "platform/DeviceChange.h"
#include "toolkit/Forms.h"
#include "toolkit/qt/QtCanvas.h"

namespace {

// Errors must not travel through Qt's frames: they are reported as the event loop reports an
// error that escaped a handler, and the program goes on.
template <class F>
void Guarded(F&& f) {
  try {
    f();
  } catch (const std::exception& error) {
    ReportHandlerError(error);
  }
}

TShiftState ShiftOf(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons) {
  TShiftState s = 0;
  if (modifiers & Qt::ShiftModifier) s |= ssShift;
  if (modifiers & Qt::AltModifier) s |= ssAlt;
  if (modifiers & Qt::ControlModifier) s |= ssCtrl;
  if (buttons & Qt::LeftButton) s |= ssLeft;
  if (buttons & Qt::RightButton) s |= ssRight;
  if (buttons & Qt::MiddleButton) s |= ssMiddle;
  return s;
}

bool ButtonOf(Qt::MouseButton button, TMouseButton& result) {
  switch (button) {
    case Qt::LeftButton:
      result = mbLeft;
      return true;
    case Qt::RightButton:
      result = mbRight;
      return true;
    case Qt::MiddleButton:
      result = mbMiddle;
      return true;
    default:
      return false;
  }
}

// Virtual key codes for the keys a handler may look at.
std::uint16_t VirtualKeyOf(int key) {
  if (key >= Qt::Key_A && key <= Qt::Key_Z) return static_cast<std::uint16_t>('A' + (key - Qt::Key_A));
  if (key >= Qt::Key_0 && key <= Qt::Key_9) return static_cast<std::uint16_t>('0' + (key - Qt::Key_0));
  switch (key) {
    case Qt::Key_Backspace:
      return 0x08;
    case Qt::Key_Tab:
      return 0x09;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return 0x0D;
    case Qt::Key_Escape:
      return 0x1B;
    case Qt::Key_Space:
      return 0x20;
    case Qt::Key_Left:
      return 0x25;
    case Qt::Key_Up:
      return 0x26;
    case Qt::Key_Right:
      return 0x27;
    case Qt::Key_Down:
      return 0x28;
    case Qt::Key_Delete:
      return 0x2E;
    default:
      return 0;
  }
}

}  // namespace

class ControlWidget : public QWidget {
 public:
  ControlWidget(TWinControl& control, QtToolkitBackend& backend, QWidget* parent)
      : QWidget(parent), control_(control), backend_(backend) {
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
  }

  TWinControl& Control() { return control_; }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    QtCanvas canvas(painter);
    Guarded([&] { control_.PaintWindow(canvas); });
    if (auto* form = dynamic_cast<TCustomForm*>(&control_); form && isWindow())
      backend_.NotifyPainted(*form, *this);
  }
  void mousePressEvent(QMouseEvent* e) override { Press(e, 0); }
  void mouseDoubleClickEvent(QMouseEvent* e) override { Press(e, ssDouble); }
  void mouseReleaseEvent(QMouseEvent* e) override {
    TMouseButton button;
    if (!ButtonOf(e->button(), button)) return;
    const QPoint p = e->position().toPoint();
    Guarded([&] { control_.HostMouseUp(button, ShiftOf(e->modifiers(), e->buttons()), p.x(), p.y()); });
  }
  void mouseMoveEvent(QMouseEvent* e) override {
    const QPoint p = e->position().toPoint();
    const bool inside = rect().contains(p);
    // While a button is held the press keeps the pointer; enter and leave still follow it.
    Guarded([&] {
      if (inside)
        control_.HostMouseMove(p.x(), p.y(), ShiftOf(e->modifiers(), e->buttons()));
      else
        control_.HostMouseLeave();
    });
  }
  void enterEvent(QEnterEvent*) override {
    Guarded([&] { control_.HostMouseEnter(); });
  }
  void leaveEvent(QEvent*) override {
    Guarded([&] { control_.HostMouseLeave(); });
  }
  void focusInEvent(QFocusEvent* e) override {
    QWidget::focusInEvent(e);
    Guarded([&] { control_.HostFocusChanged(true); });
  }
  void focusOutEvent(QFocusEvent* e) override {
    QWidget::focusOutEvent(e);
    Guarded([&] { control_.HostFocusChanged(false); });
  }
  void keyPressEvent(QKeyEvent* e) override {
    std::uint16_t key = VirtualKeyOf(e->key());
    Guarded([&] {
      control_.HostKeyDown(key, ShiftOf(e->modifiers(), Qt::NoButton));
      const QByteArray text = e->text().toUtf8();
      if (text.size() == 1) {
        char c = text[0];
        control_.HostKeyPress(c);
      }
    });
  }
  void keyReleaseEvent(QKeyEvent* e) override {
    std::uint16_t key = VirtualKeyOf(e->key());
    Guarded([&] { control_.HostKeyUp(key, ShiftOf(e->modifiers(), Qt::NoButton)); });
  }
  void closeEvent(QCloseEvent* e) override {
    e->ignore();
    if (auto* form = dynamic_cast<TCustomForm*>(&control_)) Guarded([&] { form->Close(); });
  }
  void changeEvent(QEvent* e) override {
    QWidget::changeEvent(e);
    if (e->type() == QEvent::ActivationChange && isActiveWindow())
      if (auto* form = dynamic_cast<TCustomForm*>(&control_)) Guarded([&] { form->Activated(); });
  }

 private:
  void Press(QMouseEvent* e, TShiftState extra) {
    TMouseButton button;
    if (!ButtonOf(e->button(), button)) return;
    const QPoint p = e->position().toPoint();
    Guarded(
        [&] { control_.HostMouseDown(button, ShiftOf(e->modifiers(), e->buttons()) | extra, p.x(), p.y()); });
  }

  TWinControl& control_;
  QtToolkitBackend& backend_;
};

namespace {

class QtHost : public WindowHost {
 public:
  QtHost(TWinControl& control, QtToolkitBackend& backend, QWidget* parent)
      : widget_(new ControlWidget(control, backend, parent)) {
    if (!parent) widget_->setAttribute(Qt::WA_DeleteOnClose, false);
    if (control.TabStop()) widget_->setFocusPolicy(Qt::TabFocus);
  }
  ~QtHost() override { delete widget_; }

  QWidget* Widget() const { return widget_; }

  void SetBounds(const TRect& b) override {
    if (widget_->isWindow()) {
      widget_->move(b.Left, b.Top);
      widget_->setFixedSize(b.Width(), b.Height());
    } else {
      widget_->setGeometry(b.Left, b.Top, b.Width(), b.Height());
    }
  }
  void SetVisible(bool visible) override {
    widget_->setVisible(visible);
    if (visible && widget_->isWindow()) {
      widget_->raise();
      widget_->activateWindow();
    }
  }
  void Invalidate(const TRect& r) override { widget_->update(r.Left, r.Top, r.Width(), r.Height()); }
  void SetFocus() override { widget_->setFocus(Qt::OtherFocusReason); }
  bool HasFocus() const override { return widget_->hasFocus(); }
  void SetTabOrder(const std::vector<TWinControl*>& stops) override {
    QWidget* previous = nullptr;
    for (TWinControl* stop : stops) {
      QWidget* w = WidgetOf(*stop);
      if (!w) continue;
      w->setFocusPolicy(Qt::TabFocus);
      if (previous) QWidget::setTabOrder(previous, w);
      previous = w;
    }
  }
  void SetCaption(const std::string& caption) override {
    widget_->setWindowTitle(QString::fromStdString(caption));
  }
  void SetFrame(BorderKind border, bool systemMenu, bool minimize, bool maximize) override {
    if (!widget_->isWindow()) return;
    Qt::WindowFlags flags = Qt::Window;
    if (border == BorderKind::None) {
      flags |= Qt::FramelessWindowHint;
    } else {
      flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint;
      if (systemMenu) flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
      if (minimize) flags |= Qt::WindowMinimizeButtonHint;
      if (maximize && border == BorderKind::Sizeable) flags |= Qt::WindowMaximizeButtonHint;
    }
    widget_->setWindowFlags(flags);
  }
  TPoint FrameSize(int clientWidth, int clientHeight) const override {
    const QRect frame = widget_->frameGeometry();
    const QRect inner = widget_->geometry();
    return {clientWidth + frame.width() - inner.width(), clientHeight + frame.height() - inner.height()};
  }

 private:
  ControlWidget* widget_;
};

}  // namespace

QWidget* WidgetOf(TWinControl& control) {
  if (!control.HandleAllocated()) return nullptr;
  auto* host = dynamic_cast<QtHost*>(control.Host());
  return host ? host->Widget() : nullptr;
}

struct QtToolkitBackend::DeviceWatch {
  std::unique_ptr<korva::DeviceChangeMonitor> monitor;
  std::unique_ptr<QSocketNotifier> notifier;
};

QtToolkitBackend::QtToolkitBackend() = default;
QtToolkitBackend::~QtToolkitBackend() = default;

void QtToolkitBackend::DeliverDeviceChanges(TWinControl& window) {
  auto watch = std::make_unique<DeviceWatch>();
  watch->monitor = korva::DeviceChangeMonitor::Open();
  if (!watch->monitor) return;  // the system delivers them itself, or nothing reports them
  watch->notifier =
      std::make_unique<QSocketNotifier>(watch->monitor->FileDescriptor(), QSocketNotifier::Read);
  korva::DeviceChangeMonitor* monitor = watch->monitor.get();
  QObject::connect(watch->notifier.get(), &QSocketNotifier::activated, [monitor, &window] {
    for (korva::DeviceChangeRecord record : monitor->Read()) {
      TMessage message{WM_DEVICECHANGE, record.event, reinterpret_cast<std::intptr_t>(&record.volume), 0};
      Guarded([&] { window.Dispatch(message); });
    }
  });
  deviceWatch_ = std::move(watch);
}

std::unique_ptr<WindowHost> QtToolkitBackend::CreateHost(TWinControl& control) {
  QWidget* parent = control.Parent() ? WidgetOf(*control.Parent()) : nullptr;
  return std::make_unique<QtHost>(control, *this, parent);
}

ScreenInfo QtToolkitBackend::Screen() const {
  ScreenInfo info;
  if (QScreen* screen = QGuiApplication::primaryScreen()) {
    info.width = screen->geometry().width();
    info.height = screen->geometry().height();
    info.depth = screen->depth();
  }
  return info;
}

int QtToolkitBackend::Run() {
  return QApplication::exec();
}

void QtToolkitBackend::Terminate() {
  QMetaObject::invokeMethod(QCoreApplication::instance(), &QCoreApplication::quit, Qt::QueuedConnection);
}

std::unique_ptr<FontMetrics> QtToolkitBackend::MeasureFont(const TFont& font) const {
  return std::make_unique<QtFontMetrics>(QtCanvas::ToQFont(font));
}

void QtToolkitBackend::NotifyPainted(TCustomForm& form, QWidget& window) {
  if (firstPaintSeen_ || !onFirstPaint) return;
  firstPaintSeen_ = true;
  // Child windows paint in the same pass; act once it is over.
  QMetaObject::invokeMethod(
      &window, [this, &form, &window] { Guarded([&] { onFirstPaint(form, window); }); },
      Qt::QueuedConnection);
}

// ---------------------------------------------------------------------------------------------

namespace {

class Box : public QMessageBox {
 public:
  bool closedFromTitleBar = false;

 protected:
  void closeEvent(QCloseEvent* e) override {
    closedFromTitleBar = true;
    QMessageBox::closeEvent(e);
  }
};

}  // namespace

int QtMessageBoxes::Show(const MessageBoxRequest& request) {
  Box box;
  box.setWindowTitle(QString::fromStdString(request.caption));
  QString text = QString::fromStdString(request.text);
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
  box.setText(text);
  switch (request.icon) {
    case BoxIcon::Warning:
      box.setIcon(QMessageBox::Warning);
      break;
    case BoxIcon::Error:
      box.setIcon(QMessageBox::Critical);
      break;
    case BoxIcon::Information:
      box.setIcon(QMessageBox::Information);
      break;
    case BoxIcon::Question:
      box.setIcon(QMessageBox::Question);
      break;
    case BoxIcon::None:
      break;
  }
  if (request.taskModal) box.setWindowModality(Qt::ApplicationModal);
  std::vector<std::pair<QPushButton*, int>> buttons;
  for (TMsgDlgBtn b : {mbYes, mbNo, mbOK, mbCancel}) {
    if (!(request.buttons & b)) continue;
    QPushButton* button = box.addButton(QString::fromStdString(ButtonText(b)), QMessageBox::ActionRole);
    buttons.emplace_back(button, ButtonResult(b));
  }
  auto buttonFor = [&](int result) -> QPushButton* {
    for (auto& [button, r] : buttons)
      if (r == result) return button;
    return nullptr;
  };
  if (QPushButton* escape = buttonFor(EscapeResult(request.buttons))) box.setEscapeButton(escape);
  if (QPushButton* enter = buttonFor(EnterResult(request.buttons))) box.setDefaultButton(enter);
  box.exec();
  if (box.closedFromTitleBar) return mrCancel;
  for (auto& [button, result] : buttons)
    if (box.clickedButton() == button) return result;
  return mrCancel;
}
