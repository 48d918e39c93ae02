#pragma once

namespace vantor {

// True when the user's interface language is Italian.
bool userLanguageIsItalian();

} // namespace vantor
