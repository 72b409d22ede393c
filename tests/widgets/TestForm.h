// The harness's test form is held as a plain control; the cases here also
// use what only a form has: show and activate, its current control and tab
// navigation.
#pragma once

#include "support/Input.h"
#include "support/WindowTestSupport.h"

namespace zemko_test {

inline widgets::Form* AsForm(widgets::Control* form) { return static_cast<widgets::Form*>(form); }

}  // namespace zemko_test
