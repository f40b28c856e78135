#include "assistant/informazioni.h"

#include <QLabel>
#include <QTest>
#include <gtest/gtest.h>

#include "assistant/stringtable.h"
#include "assistant/widgets.h"

namespace lum::assistant {
namespace {

TEST(Informazioni, CaptionWithVersion)
{
    EXPECT_EQ(Informazioni::Caption(kItalian, 2, 6, 3), QStringLiteral("Informazioni - Versione 2.6.3"));
    EXPECT_EQ(Informazioni::Caption(kEnglish, 2, 6, 3), QStringLiteral("Information - Version 2.6.3"));
}

TEST(Informazioni, GradientFromBlackToBlue)
{
    Informazioni box(kEnglish, [](const QUrl&) { return true; });
    const QImage image = box.grab().toImage();
    EXPECT_EQ(image.pixelColor(2, 0), QColor(0, 0, 0));
    EXPECT_EQ(image.pixelColor(2, image.height() - 1), QColor(0, 0, 255));
    const QColor middle = image.pixelColor(2, image.height() / 2);
    EXPECT_EQ(middle.red(), 0);
    EXPECT_NEAR(middle.blue(), 128, 2);
}

TEST(Informazioni, LinksOpenAndKeepTheBoxOpen)
{
    std::vector<QUrl> opened;
    Informazioni box(kEnglish, [&](const QUrl& url) {
        opened.push_back(url);
        return true;
    });
    box.show();
    auto* mail = box.findChild<ClickLabel*>(QStringLiteral("labMail"));
    auto* web = box.findChild<ClickLabel*>(QStringLiteral("labWeb"));
    ASSERT_TRUE(mail && web);
    QTest::mouseClick(mail, Qt::LeftButton);
    QTest::mouseClick(web, Qt::LeftButton);
    ASSERT_EQ(opened.size(), 2u);
    EXPECT_EQ(opened[0].scheme(), QStringLiteral("mailto"));
    EXPECT_EQ(opened[1].toString(), QStringLiteral(LUM_MAKER_WEB_TEST));
    EXPECT_TRUE(box.isVisible());
}

TEST(Informazioni, KeyOrClickCloses)
{
    Informazioni byKey(kEnglish, [](const QUrl&) { return true; });
    byKey.show();
    QTest::keyClick(&byKey, Qt::Key_A);
    EXPECT_FALSE(byKey.isVisible());
    EXPECT_EQ(byKey.result(), QDialog::Accepted);

    Informazioni byLabel(kEnglish, [](const QUrl&) { return true; });
    byLabel.show();
    auto* title = byLabel.findChild<QLabel*>(QStringLiteral("labTitolo"));
    ASSERT_NE(title, nullptr);
    QTest::mouseClick(&byLabel, Qt::LeftButton, {}, title->geometry().center());
    EXPECT_FALSE(byLabel.isVisible());
}

} // namespace
} // namespace lum::assistant
