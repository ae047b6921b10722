#pragma once

#include <optional>
#include <string>

#include "core/common/DisplaySettings.h"

namespace tremolux {

// The texts and the check box of the Parameters dialog.
struct ParametersForm {
    std::string hours;    // whole hours
    std::string nearest;  // whole kilometres
    std::string pie;      // whole kilometres
    bool drawTexts = true;
};

// The form as the dialog opens on the given settings: whole hours, whole
// kilometres, each truncated toward zero.
ParametersForm ParametersFormFrom(const DisplaySettings& settings);

// Reads the form into settings in the order texts, hours, nearest, pie. Each
// value is written as soon as its check passes, so a rejected field leaves
// the ones before it written. Returns the message for the first field out
// of range, or nothing when every field was accepted.
std::optional<std::string> ApplyParametersForm(const ParametersForm& form,
                                               DisplaySettings& settings);

}  // namespace tremolux
