// The updater's window as the console sees it: the elements' texts and
// states are kept (the core reads some back), and the changes a user follows
// become events: a step opened or closed (its label set bold or normal
// weight) and the progress bar's value.
#pragma once
#include <array>
#include <string>
#include <string_view>

#include "updater/window.h"

namespace qmqn {

class RunListener {
 public:
  virtual void stepOpened(int step, std::string_view name) = 0;
  virtual void stepClosed(int step, std::string_view name) = 0;
  virtual void progressed(float value) = 0;

 protected:
  ~RunListener() = default;
};

class RunView final : public updater::Window {
 public:
  explicit RunView(RunListener* listener = nullptr) : listener_(listener) {}

  void setText(updater::Element e, std::string_view text) override { at(e).text = std::string(text); }
  std::string text(updater::Element e) const override { return states_[index(e)].text; }
  void setTextColour(updater::Element, updater::Rgb) override {}
  void setEnabled(updater::Element e, bool enabled) override { at(e).enabled = enabled; }
  void setVisible(updater::Element e, bool visible) override { at(e).visible = visible; }
  void setBold(updater::Element e, bool bold) override;
  void setProgress(float value) override;
  float progress() const override { return progress_; }
  void setFocus(updater::Element) override {}

  bool enabled(updater::Element e) const { return states_[index(e)].enabled; }

 private:
  struct State {
    std::string text;
    bool enabled = true;
    bool visible = true;
    bool bold = false;
  };
  static size_t index(updater::Element e) { return static_cast<size_t>(e); }
  State& at(updater::Element e) { return states_[index(e)]; }

  RunListener* listener_;
  std::array<State, updater::kElementCount> states_{};
  float progress_ = 0.0f;
};

}  // namespace qmqn
