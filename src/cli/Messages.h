// The language of what tessaly-cli tells its user: the message table of
// common/MessageTable.h, which the window shares for the core's refusals.
#pragma once

#include "common/MessageTable.h"

namespace tessaly::cli {

using tessaly::CurrentMessageLanguage;
using tessaly::HasMessageRow;
using tessaly::InLanguage;
using tessaly::LanguageOfMessagesLocale;
using tessaly::LocalizeMessage;
using tessaly::MessageLanguage;

}  // namespace tessaly::cli
