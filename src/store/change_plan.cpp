#include "store/change_plan.h"

#include "store/reg_text.h"
#include "store/store_text.h"

namespace {

// Calls `visit(first, end)` for each run of entries that share a key.
template <typename Visit>
void ForEachKey(const std::vector<PlannedValue>& values, Visit visit) {
  std::size_t first = 0;
  while (first < values.size()) {
    std::size_t end = first + 1;
    while (end < values.size() && values[end].hive == values[first].hive &&
           values[end].path == values[first].path) {
      ++end;
    }
    visit(first, end);
    first = end;
  }
}

std::uint32_t LittleEndian(const std::uint8_t* bytes) {
  return static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
         static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
}

std::string Decimal(std::uint32_t number) {
  std::string digits;
  do {
    digits.insert(digits.begin(), static_cast<char>('0' + number % 10));
    number /= 10;
  } while (number != 0);
  return digits;
}

// A value as a reader of the review knows it: a number, a text, a modem's port speed in bps,
// or the .reg form of anything else.
std::string Shown(const PlannedValue& value, ValueState state, std::uint32_t type,
                  const std::vector<std::uint8_t>& bytes, const PlanWords& words) {
  if (state == ValueState::kAbsent) return words.notSet;
  if (state == ValueState::kUnreadable) return words.unreadable;
  if (value.modem && bytes.size() >= 28) return Decimal(LittleEndian(&bytes[24]));
  if (type == kRegDword && bytes.size() == 4) return Decimal(LittleEndian(bytes.data()));
  if (type == kRegSz && !bytes.empty() && bytes.back() == 0) {
    bool plain = true;
    for (std::size_t i = 0; i + 1 < bytes.size(); ++i) plain = plain && bytes[i] >= 0x20;
    if (plain) return std::string(bytes.begin(), bytes.end() - 1);
  }
  std::string data;
  AppendRegData(type, bytes.data(), bytes.size(), false, &data);
  return data;
}

}  // namespace

bool PlannedValue::Unchanged() const {
  if (remove) return found == ValueState::kAbsent;
  return found == ValueState::kPresent && foundType == type && foundBytes == bytes;
}

void ReadFoundValues(Registry& registry, ChangePlan& plan) {
  std::vector<PlannedValue> kept;
  ValueBytes bytes;
  ForEachKey(plan.values, [&](std::size_t first, std::size_t end) {
    ScopedKey key(registry);
    const RegResult opened =
        key.Open(plan.values[first].hive, plan.values[first].path.c_str(), kKeyRead);
    for (std::size_t i = first; i < end; ++i) {
      PlannedValue value = plan.values[i];
      if (opened == kRegFileNotFound && !value.createKey) continue;
      value.found = bytes.Read(registry, key.get(), opened, value.name.c_str());
      value.foundType = bytes.type();
      value.foundBytes.assign(bytes.data(), bytes.data() + bytes.size());
      kept.push_back(value);
    }
  });
  plan.values.swap(kept);
}

bool ApplyPlan(Registry& registry, const ChangePlan& plan) {
  WriteResults results;
  if (!plan.complete) results.Fail();
  ForEachKey(plan.values, [&](std::size_t first, std::size_t end) {
    const PlannedValue& head = plan.values[first];
    ScopedKey key(registry);
    if (head.createKey) {
      results.Note(key.Create(head.hive, head.path.c_str()));
    } else {
      results.NoteOpen(key.Open(head.hive, head.path.c_str()));
    }
    if (!key) return;
    for (std::size_t i = first; i < end; ++i) {
      const PlannedValue& value = plan.values[i];
      if (value.remove) {
        results.NoteDelete(registry.DeleteValue(key.get(), value.name.c_str()));
      } else {
        results.Note(SetExactValue(registry, key.get(), value.name.c_str(), value.type,
                                   value.bytes.data(),
                                   static_cast<std::uint32_t>(value.bytes.size())));
      }
    }
  });
  return results.ok();
}

std::string FormatPlanLine(const PlannedValue& value, const PlanWords& words) {
  std::string line = std::string(value.label) + "  " + value.name;
  if (!value.owner.empty()) {
    line +=
        std::string(" (") + (value.modem ? words.modem : words.adapter) + " " + value.owner + ")";
  }
  line += "  " + Shown(value, value.found, value.foundType, value.foundBytes, words);
  if (value.Unchanged()) return line + "  " + words.unchanged;
  return line + " -> " +
         (value.remove ? std::string(words.remove)
                       : Shown(value, ValueState::kPresent, value.type, value.bytes, words));
}

std::string FormatPlan(const ChangePlan& plan, const PlanWords& words) {
  std::string text;
  for (const PlannedValue& value : plan.values) text += FormatPlanLine(value, words) + "\r\n";
  return text;
}

std::string FormatRegFile(const ChangePlan& plan, bool canDelete, const char* deleteByHand) {
  std::string text = "REGEDIT4\r\n";
  ForEachKey(plan.values, [&](std::size_t first, std::size_t end) {
    std::string lines;
    for (std::size_t i = first; i < end; ++i) {
      const PlannedValue& value = plan.values[i];
      if (!value.remove) {
        lines += FormatRegValue(value.name, value.type, value.bytes.data(), value.bytes.size());
      } else if (canDelete) {
        AppendQuoted(value.name, &lines);
        lines += "=-";
      } else if (value.found != ValueState::kAbsent) {
        // This regedit cannot delete a value: the reader has to.
        lines += std::string("; ") + deleteByHand + " ";
        AppendQuoted(value.name, &lines);
      } else {
        continue;
      }
      lines += "\r\n";
    }
    if (lines.empty()) return;
    const PlannedValue& head = plan.values[first];
    text += "\r\n[" + std::string(HiveName(head.hive)) + "\\" + head.path + "]\r\n" + lines;
  });
  return text;
}
