#include <gtest/gtest.h>

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <thread>

#include "gui_wait.h"
#include "link/SimulatedDevices.h"
#include "printing/ReceiptChunks.h"
#include "printing/ReceiptPreview.h"
#include "printing/VirtualPrinter.h"
#include "shell/TVLForm.h"

using namespace velmora;

namespace {

const QDateTime kNow(QDate(2026, 12, 10), QTime(14, 5, 9));

std::string testReceipt() {
    std::string bytes;
    for (const std::string& chunk :
         printing::testReceiptChunks(ChargerState(), {"Budi", "MF", "GTZ5S", "3.5 Ah"},
                                     {2026, 12, 10, 14, 5, 9, 0}, {}, {}))
        bytes += chunk;
    return bytes;
}

TEST(VirtualPrinterTest, ReceiptFromAnotherThreadIsTornOffAndSaved) {
    QTemporaryDir folder;
    VirtualPrinter printer;
    printer.setFolder(folder.filePath("Struk"));
    printer.setClock([] { return kNow; });
    QSignalSpy printed(&printer, &VirtualPrinter::receiptPrinted);
    const std::string receipt = testReceipt();
    std::thread sender([&printer, &receipt] {
        for (size_t at = 0; at < receipt.size(); at += 100)
            printer.receive(receipt.substr(at, 100));
    });
    sender.join();
    ASSERT_TRUE(printed.wait(20000));
    const QString path = printed.at(0).at(1).toString();
    EXPECT_EQ(path, folder.filePath("Struk/Struk_2026-12-10_14-05-09.png"));
    const QImage saved(path);
    EXPECT_EQ(saved.width(), 384);
    EXPECT_EQ(saved.size(), printed.at(0).at(0).value<QImage>().size());
    EXPECT_GT(saved.height(), 12 * 30);

    // A second receipt within the same second does not replace the first.
    printer.receive(receipt);
    ASSERT_TRUE(printed.wait(20000));
    EXPECT_EQ(printed.at(1).at(1).toString(),
              folder.filePath("Struk/Struk_2026-12-10_14-05-09_2.png"));
    EXPECT_TRUE(QFileInfo::exists(path));
}

TEST(VirtualPrinterTest, NothingPrintedNothingShownAndSaveFailuresAreSaid) {
    QTemporaryDir folder;
    VirtualPrinter printer;
    QSignalSpy printed(&printer, &VirtualPrinter::receiptPrinted);
    printer.setFolder(folder.filePath("Struk"));
    printer.receive("#3|RPP02N|Toko|||*");  // text with no line feed stays in the printer
    QCoreApplication::processEvents();
    printer.tearOff();
    EXPECT_EQ(printed.count(), 0);

    QFile blocker(folder.filePath("file"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    printer.setFolder(folder.filePath("file/Struk"));  // a file where the folder should be
    printer.receive(testReceipt());
    QCoreApplication::processEvents();
    printer.tearOff();
    ASSERT_EQ(printed.count(), 1);
    EXPECT_EQ(printed.at(0).at(1).toString(), "");
    EXPECT_TRUE(printed.at(0).at(2).toString().contains("tidak dapat dibuat"));
    EXPECT_FALSE(printed.at(0).at(0).value<QImage>().isNull());  // shown all the same
}

// The whole road: "Print Charge" on "Printer Simulasi" ends in the preview with the
// saved picture.
TEST(VirtualPrinterTest, PrintChargeOnTheSimulatedPrinterIsShownAndSaved) {
    QTemporaryDir folder;
    TVLForm window(std::make_unique<DevicePlatform>(nullptr, true), 1366);
    QStringList messages;
    window.setMessageSink([&messages](const QString& text) { messages << text; });
    window.virtualPrinter()->setFolder(folder.filePath("Struk"));
    window.FormShow();
    window.BTPrintClick();
    auto* box = window.control<QComboBox>(QStringLiteral("ComboDevice"));
    box->setCurrentIndex(box->findText(DevicePlatform::kSimulatedPrinter));
    window.BTConnectClick();
    auto* preview = window.control<ReceiptPreview>(QStringLiteral("LayoutStruk"));
    ASSERT_TRUE(processEventsUntil([&] { return preview->isVisible(); }));
    const QString path = preview->savedPath();
    EXPECT_TRUE(path.startsWith(folder.filePath("Struk/Struk_")));
    EXPECT_TRUE(window.control<QLabel>(QStringLiteral("LStrukPath"))
                    ->text()
                    .contains(QFileInfo(path).fileName()));
    const QImage paper(path);
    EXPECT_EQ(paper.width(), 384);
    // Logo, 23 text lines and two charts of 300 rows (in 24-row bands).
    EXPECT_GT(paper.height(), 96 + 23 * 24 + 2 * 312);
    EXPECT_TRUE(messages.isEmpty());
}

// "Buka Folder" where no file manager can open the folder says where it is instead.
TEST(VirtualPrinterTest, FolderThatCannotBeOpenedIsNamed) {
    const struct {
        bool opens;
        bool named;
    } cases[] = {{true, false}, {false, true}};
    for (const auto& c : cases) {
        QWidget window;
        window.resize(960, 540);
        ReceiptPreview preview(&window);
        QString asked;
        preview.setFolderOpener([&](const QString& folder) {
            asked = folder;
            return c.opens;
        });
        const QString folder = QDir::temp().filePath("Struk");
        QImage paper(384, 40, QImage::Format_RGB32);
        paper.fill(Qt::white);
        preview.showReceipt(paper, folder + "/Struk_1.png", {});
        preview.RStrukFolder->click();
        EXPECT_EQ(asked, folder);
        const QString shown = preview.LStrukPath->text();
        EXPECT_EQ(shown.contains("tidak dapat dibuka"), c.named) << shown.toStdString();
        EXPECT_EQ(shown.contains(QDir::toNativeSeparators(folder)), true);
    }
}

}  // namespace
