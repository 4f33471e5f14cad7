#include "app/ConsoleBackend.h"

#include "app/PracticeConsole.h"
#include "console/SimulatedDesktop.h"

#include <gtest/gtest.h>

namespace brassbell::testing {
namespace {

TEST(ConsoleBackendTest, PracticeShowsItsDesktopAndWin32IsRefusedClearlyElsewhere) {
    QString error;
    const std::unique_ptr<ConsoleBackend> backend = createConsoleBackend(ConsoleChoice::Practice, error);
    ASSERT_NE(backend, nullptr);
    ASSERT_NE(backend->practice, nullptr);
    EXPECT_EQ(&backend->windows(), backend->desktop.get());
    EXPECT_NE(backend->windows().FindWindowA(nullptr, "ET Console"), 0u);
#ifndef _WIN32
    EXPECT_EQ(createConsoleBackend(ConsoleChoice::Win32, error), nullptr);
    EXPECT_TRUE(error.contains(QStringLiteral("win32"))) << error.toStdString();
#endif
}

} // namespace
} // namespace brassbell::testing
