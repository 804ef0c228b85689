#pragma once
// The sentences the updater composes from the text tables: the window title, the four
// detection outcomes, the completion text under the ring and the confirmation's warning.
// Window-free, so the command line prints exactly what the dialog shows.
//
// The dialog composes every text into a buffer of 260 UTF-16 code units; none of the
// compositions comes near it with the model names it is given.

#include <cstdint>
#include <string>
#include <string_view>

#include "ui/language.h"

namespace ui {

// The maker's download page, written without a scheme: the other-model outcome's link shows it
// as its text and uses it as its address.
inline constexpr std::string_view kDownloadPageAddress = "www.tavelin.com/downloads";

// "TAVELIN Q2": "%s Q2" of "TAVELIN".
std::string FormModelName();

// "%s %s Q2" of A[1], A[0] for French and Italian, else "%s Q2 %s" of A[0], A[1].
std::string ComposeWindowTitle(Language language);

// The detection outcomes. modelName is the fixed "TAVELIN Q2"; deviceModelName is the camera's
// ("TAVELIN Q " or "TAVELIN Q2 ", trailing blank included). Versions print as "%04X".
std::string PleaseConnectText(Language language, std::string_view modelName);
std::string UpToDateText(Language language, std::string_view deviceModelName,
                         uint16_t deviceVersion);
std::string UpdateAvailableText(Language language, std::string_view deviceModelName,
                                uint16_t imageVersion, uint16_t deviceVersion);
std::string OtherModelText(Language language, std::string_view modelName);

// The other-model link's markup: one anchor whose address and text are both the download page.
std::string DownloadLinkMarkup();

// The text under the ring after a successful update.
std::string CompletionText(Language language, uint16_t imageVersion,
                           std::string_view deviceModelName);

// The confirmation's warning: "%s %s %s" of B[1], the model name, B[2].
std::string ConfirmationWarningText(Language language, std::string_view modelName);

}  // namespace ui
