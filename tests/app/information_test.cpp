#include <QComboBox>
#include <QLineEdit>
#include <QSignalSpy>

#include "catalogue/DiagnosticScreen.h"
#include "gui_wait.h"
#include "link/Commands.h"
#include "printing/InformationDialog.h"
#include "widgets/SlideInDialog.h"
#include "window_fixture.h"

using namespace velmora;
using namespace velmora::testing;

namespace {

const QString kNoPrinter = QStringLiteral("Sambungkan ke bluetooth printer");

class InformationTest : public WindowTest {
protected:
    ui::SlideInDialog* dialog() { return control<ui::SlideInDialog>("LayoutInformation"); }
    QLineEdit* edit(const char* name) { return control<QLineEdit>(name); }
    void fill(const QString& store, const QString& address, const QString& city,
              const QString& phone) {
        edit("EditStore")->setText(store);
        edit("EditAddress")->setText(address);
        edit("EditCity")->setText(city);
        edit("EditPhone")->setText(phone);
    }
    bool connectCharger() {
        m_window->BTConnectionClick();
        QSignalSpy finished(m_window.get(), &TVLForm::connectionFinished);
        m_window->BTConnectClick();
        return finished.wait(20000) && finished.at(0).at(0).toBool();
    }
    std::string received() {
        std::string all;
        for (std::string chunk; !(chunk = m_bt->peers.back()->receive(0)).empty();) all += chunk;
        return all;
    }
};

TEST_F(InformationTest, DialogLayoutLimitsAndPrompts) {
    m_window->R1UseClick();
    EXPECT_TRUE(dialog()->isVisibleTo(m_window->content()));
    EXPECT_EQ(dialog()->animation()->objectName(), "FloatInformation");
    EXPECT_EQ(dialog()->animation()->startValue().toInt(), 780);
    EXPECT_EQ(dialog()->animation()->endValue().toInt(), 30);
    EXPECT_EQ(dialog()->panel()->size(), QSize(400, 480));  // with the dealer key below
    EXPECT_EQ(control<QLabel>("LInformationTitle")->text(), "DATA INFORMASI");
    const struct {
        const char* name;
        int limit;
    } fields[] = {{"EditStore", 30}, {"EditAddress", 40}, {"EditCity", 20}, {"EditPhone", 14}};
    for (const auto& field : fields) {
        EXPECT_EQ(edit(field.name)->maxLength(), field.limit) << field.name;
        EXPECT_EQ(edit(field.name)->placeholderText(), "Ketik di sini");
        edit(field.name)->setText(QString(50, 'x'));
        EXPECT_EQ(edit(field.name)->text().size(), field.limit);
    }
    // The profile name has no such limit: long names are printed whole.
    auto* name = control<QLineEdit>("Edit1");
    name->setText(QString(60, 'n'));
    EXPECT_EQ(name->text().size(), 60);
}

TEST_F(InformationTest, PrinterListFollowsTheDeviceList) {
    m_window->FormShow();
    auto* printers = control<QComboBox>("ComboShowPrinter");
    auto* devices = control<QComboBox>("ComboDevice");
    ASSERT_EQ(printers->count(), 2);
    for (int i = 0; i < 2; ++i) EXPECT_EQ(printers->itemText(i), devices->itemText(i));
    EXPECT_EQ(printers->currentIndex(), 0);
    printers->setCurrentIndex(1);
    m_bt->devices.append({QStringLiteral("THIRD"), QStringLiteral("AA:AA:AA:AA:AA:AA"), true});
    m_window->ComboDeviceClick();  // refreshing the devices refills both, choices kept
    EXPECT_EQ(printers->count(), 3);
    EXPECT_EQ(printers->currentIndex(), 1);
    m_bt->radio = false;
    m_window->checkBT();
    EXPECT_EQ(printers->count(), 0);
}

TEST_F(InformationTest, PrinterListOfADialogMadeBeforeTheDevicesAreListed) {
    QComboBox* printers = m_window->informationDialog()->ComboShowPrinter;
    EXPECT_EQ(printers->count(), 0);
    m_window->FormShow();
    ASSERT_EQ(printers->count(), 2);
    EXPECT_EQ(printers->itemText(1), "RPP02N");
    EXPECT_EQ(printers->currentIndex(), 0);
}

TEST_F(InformationTest, KirimSendsTheCentredDetailsToTheConnectedDevice) {
    m_window->FormShow();
    ASSERT_TRUE(connectCharger());
    received();
    control<QComboBox>("ComboShowPrinter")->setCurrentIndex(1);
    m_window->R1UseClick();
    fill("ABC", "Jl. Merdeka No. 10", "Bandung", "0812*#4|1*");
    m_window->RSendInformationClick();
    EXPECT_EQ(received(), "#3|RPP02N|" + std::string(14, ' ') + "ABC" + std::string(15, ' ') + "|" +
                              information("Jl. Merdeka No. 10") + "|" + information("Bandung") +
                              "|" + information("0812  4 1 ") + "*");
    EXPECT_FALSE(dialog()->isVisible());
    EXPECT_TRUE(m_messages.isEmpty());
    EXPECT_EQ(text("LNotice"), "Data informasi terkirim");  // said in passing

    // Empty fields are sent empty.
    fill("", "", "", "");
    m_window->RSendInformationClick();
    EXPECT_EQ(received(), "#3|RPP02N||||*");
}

TEST_F(InformationTest, NothingSentIsAlwaysSaid) {
    // No paired device, so no printer to name.
    m_bt->devices.clear();
    m_window->FormShow();
    m_window->R1UseClick();
    fill("Toko", "", "", "");
    m_window->RSendInformationClick();
    EXPECT_EQ(m_messages, QStringList{kNoPrinter});
    EXPECT_FALSE(dialog()->isVisible());

    // A printer named but nothing connected: the user hears that nothing went out.
    m_messages.clear();
    m_bt->devices = {{QStringLiteral("RPP02N"), QStringLiteral("66:77:88:99:AA:BB"), true}};
    m_window->FormShow();
    m_window->R1UseClick();
    m_window->RSendInformationClick();
    ASSERT_EQ(m_messages.size(), 1);
    EXPECT_TRUE(m_messages[0].contains("tidak terkirim"));
    EXPECT_FALSE(dialog()->isVisible());
}

TEST_F(InformationTest, BatalkanKeepsTheTextsAndSendsNothing) {
    m_window->FormShow();
    ASSERT_TRUE(connectCharger());
    received();
    m_window->R1UseClick();
    fill("Toko Aki", "Jl. Sudirman", "Solo", "0271");
    m_window->RCancelInformationClick();
    EXPECT_FALSE(dialog()->isVisible());
    EXPECT_EQ(received(), "");
    m_window->R1UseClick();
    EXPECT_EQ(edit("EditStore")->text(), "Toko Aki");
    EXPECT_EQ(edit("EditPhone")->text(), "0271");
}

TEST_F(InformationTest, FailedSendClosesTheDialogAndIsReported) {
    m_bt->beforeSend = [](const std::string& bytes) {
        if (bytes.rfind("#3|", 0) == 0) throw LinkError("Connection reset");
    };
    m_window->FormShow();
    ASSERT_TRUE(connectCharger());
    m_window->R1UseClick();
    m_window->RSendInformationClick();
    EXPECT_FALSE(dialog()->isVisible());
    EXPECT_EQ(m_messages, QStringList{"Connection reset"});
}

}  // namespace
