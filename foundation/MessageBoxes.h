// Every box the system shows goes through one presenter: the toolkit's real dialogs, a line on
// standard error for automated runs, or a scripted presenter in tests.
#pragma once

#include <exception>
#include <string>

enum class TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };

// Buttons, shown in this order whatever order a set names them in.
enum TMsgDlgBtn : unsigned { mbYes = 1u << 0, mbNo = 1u << 1, mbOK = 1u << 2, mbCancel = 1u << 3 };
using TMsgDlgButtons = unsigned;

// Results of the buttons; closing a box from its title bar yields mrCancel.
enum TModalResult : int { mrNone = 0, mrOk = 1, mrCancel = 2, mrYes = 6, mrNo = 7 };

enum class BoxIcon { None, Warning, Error, Information, Question };

struct MessageBoxRequest {
  std::string caption;
  std::string text;  // carriage returns break lines
  BoxIcon icon = BoxIcon::None;
  TMsgDlgButtons buttons = mbOK;
  bool taskModal = false;
};

class MessageBoxPresenter {
 public:
  virtual ~MessageBoxPresenter() = default;
  // Shows the box and returns the result of the button pressed (or mrCancel when closed).
  virtual int Show(const MessageBoxRequest& request) = 0;
};

// The presenter in use; null until the application installs one, in which case boxes go to
// standard error. Returns the previous one.
MessageBoxPresenter* SetMessageBoxPresenter(MessageBoxPresenter* presenter);
MessageBoxPresenter& CurrentMessageBoxPresenter();

// A box of the custom kind, captioned with the application title, with an OK button.
void ShowNotice(const std::string& text);
// A box of the given kind and buttons; returns the result of the pressed button.
int ShowMessageBox(const std::string& text, TMsgDlgType kind, TMsgDlgButtons buttons);

// The report of an error that escaped an event handler; the program goes on.
void ReportHandlerError(const std::exception& error);
// The report of an error that escaped start-up; the caller then ends with exit code 1.
void ReportStartupError(const std::exception& error);

// Box rules shared by every presenter.
std::string CaptionOf(TMsgDlgType kind);  // the application title for mtCustom
BoxIcon IconOf(TMsgDlgType kind);
int EscapeResult(TMsgDlgButtons buttons);   // Cancel, else No, else OK; mrNone when none shown
int EnterResult(TMsgDlgButtons buttons);    // OK, else Yes; mrNone when none shown
std::string ButtonText(TMsgDlgBtn button);  // "&Yes", "&No", "OK", "Cancel"
int ButtonResult(TMsgDlgBtn button);
// A message with a full stop appended when its last character sorts after the full stop.
std::string WithFullStop(const std::string& message);

// Prints "caption | text | buttons" on standard error and answers as Enter would (or as Escape,
// where Enter presses no button). For automated runs.
class StderrMessageBoxes : public MessageBoxPresenter {
 public:
  int Show(const MessageBoxRequest& request) override;
};
