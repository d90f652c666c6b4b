#include "foundation/MessageBoxes.h"

#include <cstdio>

#include "foundation/Application.h"
#include "foundation/Errors.h"

namespace {

MessageBoxPresenter* g_presenter = nullptr;

constexpr TMsgDlgBtn kButtonOrder[] = {mbYes, mbNo, mbOK, mbCancel};

std::string MessageOf(const std::exception& error) {
  return error.what();
}

const char* KindNameOf(const std::exception& error) {
  if (const auto* e = dynamic_cast<const Exception*>(&error)) return e->ClassName();
  return "Exception";
}

}  // namespace

MessageBoxPresenter* SetMessageBoxPresenter(MessageBoxPresenter* presenter) {
  MessageBoxPresenter* previous = g_presenter;
  g_presenter = presenter;
  return previous;
}

MessageBoxPresenter& CurrentMessageBoxPresenter() {
  static StderrMessageBoxes fallback;
  return g_presenter ? *g_presenter : fallback;
}

std::string CaptionOf(TMsgDlgType kind) {
  switch (kind) {
    case TMsgDlgType::mtWarning:
      return "Warning";
    case TMsgDlgType::mtError:
      return "Error";
    case TMsgDlgType::mtInformation:
      return "Information";
    case TMsgDlgType::mtConfirmation:
      return "Confirm";
    case TMsgDlgType::mtCustom:
      break;
  }
  return Application().Title();
}

BoxIcon IconOf(TMsgDlgType kind) {
  switch (kind) {
    case TMsgDlgType::mtWarning:
      return BoxIcon::Warning;
    case TMsgDlgType::mtError:
      return BoxIcon::Error;
    case TMsgDlgType::mtInformation:
      return BoxIcon::Information;
    case TMsgDlgType::mtConfirmation:
      return BoxIcon::Question;
    case TMsgDlgType::mtCustom:
      break;
  }
  return BoxIcon::None;
}

int EscapeResult(TMsgDlgButtons buttons) {
  if (buttons & mbCancel) return mrCancel;
  if (buttons & mbNo) return mrNo;
  if (buttons & mbOK) return mrOk;
  return mrNone;
}

int EnterResult(TMsgDlgButtons buttons) {
  if (buttons & mbOK) return mrOk;
  if (buttons & mbYes) return mrYes;
  return mrNone;
}

std::string ButtonText(TMsgDlgBtn button) {
  switch (button) {
    case mbYes:
      return "&Yes";
    case mbNo:
      return "&No";
    case mbOK:
      return "OK";
    case mbCancel:
      return "Cancel";
  }
  return {};
}

int ButtonResult(TMsgDlgBtn button) {
  switch (button) {
    case mbYes:
      return mrYes;
    case mbNo:
      return mrNo;
    case mbOK:
      return mrOk;
    case mbCancel:
      return mrCancel;
  }
  return mrNone;
}

std::string WithFullStop(const std::string& message) {
  if (!message.empty() && static_cast<unsigned char>(message.back()) > static_cast<unsigned char>('.'))
    return message + ".";
  return message;
}

void ShowNotice(const std::string& text) {
  CurrentMessageBoxPresenter().Show({Application().Title(), text, BoxIcon::None, mbOK, false});
}

int ShowMessageBox(const std::string& text, TMsgDlgType kind, TMsgDlgButtons buttons) {
  return CurrentMessageBoxPresenter().Show({CaptionOf(kind), text, IconOf(kind), buttons, false});
}

void ReportHandlerError(const std::exception& error) {
  CurrentMessageBoxPresenter().Show(
      {Application().Title(), WithFullStop(MessageOf(error)), BoxIcon::Error, mbOK, false});
}

void ReportStartupError(const std::exception& error) {
  const std::string message = MessageOf(error);
  const bool needsStop = WithFullStop(message).size() != message.size();
  const std::string text = Format("Exception %s in module %s at %p.\r\n%s%s\r\n", KindNameOf(error),
                                  Application().ModuleName().c_str(), __builtin_return_address(0),
                                  message.c_str(), needsStop ? "." : "");
  CurrentMessageBoxPresenter().Show({"Application Error", text, BoxIcon::Error, mbOK, true});
}

int StderrMessageBoxes::Show(const MessageBoxRequest& request) {
  std::string buttons;
  for (TMsgDlgBtn b : kButtonOrder) {
    if (!(request.buttons & b)) continue;
    if (!buttons.empty()) buttons += ",";
    buttons += ButtonText(b);
  }
  // One line per box: every run of line breaks becomes one blank.
  std::string text;
  for (char c : request.text) {
    const bool lineBreak = c == '\r' || c == '\n';
    if (!lineBreak)
      text += c;
    else if (text.empty() || text.back() != ' ')
      text += ' ';
  }
  std::fprintf(stderr, "%s | %s | %s\n", request.caption.c_str(), text.c_str(), buttons.c_str());
  std::fflush(stderr);
  const int enter = EnterResult(request.buttons);
  return enter != mrNone ? enter : EscapeResult(request.buttons);
}
