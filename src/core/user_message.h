#pragma once

#include <string>

namespace tolm {

// A message box the core asks the windows to show, with its exact texts.
// Two-line texts are joined with "\r\n".
struct UserMessage {
    enum class Icon { None, Critical, Information, Question };
    enum class Buttons { Ok, YesNo, YesNoCancel };

    std::string title;
    std::string text;
    Icon icon = Icon::None;
    Buttons buttons = Buttons::Ok;

    bool operator==(const UserMessage&) const = default;
};

} // namespace tolm
