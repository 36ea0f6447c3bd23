#pragma once

// What the tests of the window's commands share: the harness over fakes and
// the names every one of them uses.
#include <gtest/gtest.h>

#include "form_harness.h"
#include "mainwindow/messages.h"
#include "test_support.h"

namespace form1_test {

using fakes::Message;
using mainwindow::ControlId;
namespace attribute = platform::attribute;
namespace messages = mainwindow::messages;

}  // namespace form1_test
