// Records every box instead of showing it and answers from a queue of results.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "foundation/MessageBoxes.h"

class ScriptedMessageBoxes : public MessageBoxPresenter {
 public:
  ScriptedMessageBoxes() { previous_ = SetMessageBoxPresenter(this); }
  ~ScriptedMessageBoxes() override { SetMessageBoxPresenter(previous_); }

  // Queues the results of the next boxes; with the queue empty a box is answered as Enter would.
  void Answer(int result) { answers_.push_back(result); }

  int Show(const MessageBoxRequest& request) override {
    shown.push_back(request);
    if (!answers_.empty()) {
      const int result = answers_.front();
      answers_.pop_front();
      return result;
    }
    const int enter = EnterResult(request.buttons);
    return enter != mrNone ? enter : EscapeResult(request.buttons);
  }

  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (const auto& r : shown) texts.push_back(r.text);
    return texts;
  }

  std::vector<MessageBoxRequest> shown;

 private:
  std::deque<int> answers_;
  MessageBoxPresenter* previous_ = nullptr;
};
