#include "contract/toolkit_backend.h"

#include "fakes/headless_toolkit.h"
#include "support/resource_files.h"

namespace {

class HeadlessBackend : public ToolkitBackend {
 public:
  HeadlessBackend() : toolkit_(ToolkitTemplatesRes()) {}

  bool ready(std::string* why) override {
    if (!toolkit_.ok()) *why = toolkit_.error();
    return toolkit_.ok();
  }
  Toolkit& toolkit() override { return toolkit_; }
  MessageBoxes& messageBoxes() override { return toolkit_; }
  void QueueModalDriver(std::function<void()> body) override {
    toolkit_.QueueModalDriver(std::move(body));
  }
  void Click(WindowRef window) override { toolkit_.Click(window); }
  void Type(WindowRef edit, const std::string& text) override { toolkit_.TypeText(edit, text); }
  void Key(int virtualKey, bool shift) override { toolkit_.PressKey(virtualKey, shift); }
  void Mnemonic(char letter) override { toolkit_.PressMnemonic(letter); }
  void SystemCommand(WindowRef window, int commandId) override {
    toolkit_.SystemCommand(window, commandId);
  }
  void QueueMessageBoxAnswer(int button) override { toolkit_.QueueMessageBoxAnswer(button); }
  std::vector<std::string> MessageBoxTexts() override {
    std::vector<std::string> texts;
    for (const HeadlessMessageBox& box : toolkit_.MessageBoxLog()) texts.push_back(box.text);
    return texts;
  }
  PixelRect Rect(WindowRef window) override {
    HeadlessRect r = toolkit_.Rect(window);
    return {r.x, r.y, r.width, r.height};
  }
  void BaseUnits(WindowRef, int* x, int* y) override {
    *x = 6;
    *y = 13;
  }
  std::string Name() override { return "headless"; }

 private:
  HeadlessToolkit toolkit_;
};

}  // namespace

std::unique_ptr<ToolkitBackend> MakeToolkitBackend() { return std::make_unique<HeadlessBackend>(); }
