#include <gtest/gtest.h>

#include <QLabel>

#include "platform/Version.h"
#include "shell/OptionScreen.h"

using namespace velmora;

// The about box shows the build's version, the one --version prints, not a fixed text.
TEST(AboutVersionTest, TheAboutBoxShowsTheBuildsVersion) {
    QWidget main;
    main.resize(960, 570);
    OptionScreen option(&main);
    auto* label = option.findChild<QLabel*>(QStringLiteral("LAboutVersion"));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), QStringLiteral("Versi ") + QString::fromLatin1(versionText()));
}
