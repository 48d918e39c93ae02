#pragma once

#include "platform/fake/fakedesktop.h"

#include <QRegularExpression>

namespace vantor::test {

// The fake desktop every widget test runs on; reset to a clean state before each test.
FakeDesktop& fakeDesktop();

// Qt warnings fail the test that caused them, unless the test says it expects one like this.
void expectWarning(const QRegularExpression& pattern);

// Unloads every window the test left behind and runs pending deletions.
void unloadAllForms();

} // namespace vantor::test
