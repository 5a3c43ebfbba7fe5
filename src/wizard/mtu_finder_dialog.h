// The MTU finder, opened from step 2's "Find..." button: the user names a host, the search runs
// beside the message loop (so the window repaints and Cancel answers while echoes are out), and
// the largest MTU that reaches the host whole can be taken into the step's fields.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>

#include "platform/toolkit.h"
#include "resources/resource.h"
#include "wizard/mtu_search.h"

class AppState;

class MtuFinderDialog : public Dialog, private mtu::Progress {
 public:
  static constexpr int kTemplateId = IDD_MTU_FINDER;

  explicit MtuFinderDialog(const AppState& app);
  ~MtuFinderDialog() override;

  // Opens the finder modally over `owner`; true when the user chose "Use This MTU", with the
  // MTU found in `*mtu`.
  bool Run(WindowRef owner, std::uint32_t* mtu);

  bool OnInitDialog() override;
  void OnCommand(int id, int code) override;
  void OnCancel() override;

 private:
  enum class Outcome { kFound, kNoAnswer, kUnknownHost, kCancelled };

  static void SearchJob(void* self);
  // Beside the UI thread: each verdict goes to the window as a posted command.
  void OnTried(std::uint32_t payload, EchoOutcome outcome) override;
  void Start();
  void Finished();
  void StopSearch();
  void SetBusy(bool busy);
  void SetItem(int id, const std::string& text);

  const AppState& app_;
  std::string host_;
  // Written by the search job; read on the UI thread only after WaitBeside.
  Outcome outcome_ = Outcome::kCancelled;
  std::uint32_t payload_ = 0;
  std::atomic<bool> cancel_{false};
  bool running_ = false;
  std::uint32_t mtu_ = 0;  // the MTU found, 0: none yet
};
