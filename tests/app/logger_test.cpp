// The data logger in the window: the save question, the save dialog, and the log browser
// (list, delete, load). Every test works in its own temporary documents folder.
#include <QComboBox>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

#ifdef __unix__
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#endif

#include "../core/log_example.h"
#include "link/StateJson.h"
#include "logger/DataLogger.h"
#include "widgets/MessageDialog.h"
#include "widgets/SlideInDialog.h"
#include "window_fixture.h"

using namespace velmora;
using namespace velmora::testing;

namespace {

const QByteArray kExampleFile = QByteArray(velmora::testing::kExampleLine) + "\r\n";
const QString kSaved = QStringLiteral("Berhasil disimpan");
const QString kLoaded = QStringLiteral("Memuat data sukses");
const QString kEmpty = QStringLiteral("Data kosong");

// The file bytes of a record text (ASCII only).
QByteArray logOf(const char* record) {
    return QByteArray(record).toHex().toUpper() + "\r\n";
}

class LoggerTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        ASSERT_TRUE(m_root.isValid());
        m_window->logger().setDocumentsFolder(m_root.filePath(QStringLiteral("Documents")));
    }

    QString logFolder() const { return m_window->logger().logFolder(); }
    QString logPath(const QString& name) const { return QDir(logFolder()).filePath(name); }
    QByteArray readLog(const QString& name) const {
        QFile file(logPath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
    void writeLog(const QString& name, const QByteArray& bytes) const {
        QDir().mkpath(logFolder());
        QFile file(logPath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    // Every file anywhere under the temporary root, as paths relative to it.
    QStringList filesUnderRoot() const {
        QStringList files;
        QDirIterator it(m_root.path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext()) files << QDir(m_root.path()).relativeFilePath(it.next());
        return files;
    }

    ui::SlideInDialog* saveDialog() { return control<ui::SlideInDialog>("LayoutSave"); }
    QLineEdit* edit2() { return control<QLineEdit>("Edit2"); }
    QListWidget* list() { return control<QListWidget>("ListBox1"); }
    void press(const char* button) { control<QAbstractButton>(button)->click(); }

    // The user opens the save dialog from the dashboard, types a name and presses "Simpan".
    void saveAs(const QString& name) {
        press("BTSave");
        edit2()->setText(name);
        press("ROKSave");
    }
    // The user opens the option screen, picks a file and presses the given button.
    void pickAndPress(const QString& name, const char* button) {
        m_window->BT4OptionClick();
        const QList<QListWidgetItem*> found = list()->findItems(name, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << name.toStdString();
        list()->setCurrentItem(found.front());
        press(button);
    }
    QStringList listed() {
        QStringList names;
        for (int i = 0; i < list()->count(); ++i) names << list()->item(i)->text();
        return names;
    }
    bool shown(const char* name) { return control(name)->isVisibleTo(control("M2Diagnostic")); }
    std::string stateJson() { return toJson(m_window->state().snapshot()); }

    QTemporaryDir m_root;
};

TEST_F(LoggerTest, SaveDialogLooksAsDesignedAndCancelWritesNothing) {
    auto* dialog = saveDialog();
    EXPECT_EQ(dialog->panel()->size(), QSize(350, 150));
    EXPECT_EQ(text("LNamaFile"), "Nama File :");
    EXPECT_EQ(edit2()->placeholderText(), "Ketik di sini");
    EXPECT_EQ(edit2()->size(), QSize(290, 32));
    auto* cancel = control<QAbstractButton>("RCancelSave");
    auto* ok = control<QAbstractButton>("ROKSave");
    EXPECT_EQ(cancel->text(), "Batalkan");
    EXPECT_EQ(ok->text(), "Simpan");
    EXPECT_LT(cancel->x(), ok->x());
    EXPECT_EQ(ok->size(), QSize(100, 40));

    press("BTSave");
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->animation()->state(), QAbstractAnimation::Running);
    EXPECT_EQ(edit2()->window()->focusWidget(), edit2());
    edit2()->setText(QStringLiteral("aki"));
    press("RCancelSave");
    EXPECT_FALSE(dialog->isVisible());
    press("BTSave");
    EXPECT_EQ(edit2()->text(), "aki");  // the name box keeps what was typed
    EXPECT_TRUE(filesUnderRoot().isEmpty());
    EXPECT_TRUE(m_messages.isEmpty());
}

TEST_F(LoggerTest, SavingWritesTheRecordUnderTheTypedName) {
    setState(exampleResults);
    saveAs(QStringLiteral("test"));
    EXPECT_EQ(m_messages, QStringList{kSaved});
    EXPECT_FALSE(saveDialog()->isVisible());
    EXPECT_EQ(readLog(QStringLiteral("test.log")), kExampleFile);
    EXPECT_EQ(logFolder(), m_root.filePath(QStringLiteral("Documents/Velmora Tester/Log")));

    saveAs(QStringLiteral("test.log"));  // the extension is always appended
    EXPECT_EQ(readLog(QStringLiteral("test.log.log")), kExampleFile);

    // Saving again under the same name leaves one file with the second record.
    setState([](ChargerState& s) { s.after.status = "GOOD"; });
    saveAs(QStringLiteral("test"));
    EXPECT_EQ(readLog(QStringLiteral("test.log")),
              logOf("#|0|1|3|1|410|450|1271|1102|455|420|1305|1180|GOOD|*"));
    EXPECT_EQ(ListFileDir(logFolder()), (QStringList{"test.log", "test.log.log"}));
    EXPECT_EQ(m_messages.count(kSaved), 3);
}

TEST_F(LoggerTest, EmptyOrUnsafeNamesAreRefusedAndNothingIsWritten) {
    const struct {
        const char* name;
        const char* message;
    } cases[] = {
        {"", "Isi nama file"},
        {"   ", "Isi nama file"},
        {"aki?", "Nama file tidak boleh memuat < > \" | ? atau *"},
        {"../x", "Nama file tidak boleh memuat / \\ atau :"},
        {"a/b", "Nama file tidak boleh memuat / \\ atau :"},
        {"..\\x", "Nama file tidak boleh memuat / \\ atau :"},
        {"C:x", "Nama file tidak boleh memuat / \\ atau :"},
        {"..", "Nama file tidak boleh \".\" atau \"..\""},
        {"a\tb", "Nama file tidak boleh memuat karakter kontrol"},
        {"CON", "Nama file dipakai oleh sistem, pilih nama lain"},
        {"nul.txt", "Nama file dipakai oleh sistem, pilih nama lain"},
    };
    setState(exampleResults);
    for (const auto& c : cases) {
        m_messages.clear();
        press("BTSave");
        edit2()->setText(QString::fromUtf8(c.name));
        control("RCancelSave")->setFocus();
        press("ROKSave");
        EXPECT_EQ(m_messages, QStringList{QString::fromUtf8(c.message)}) << c.name;
        EXPECT_TRUE(saveDialog()->isVisible()) << c.name;  // another name can be typed
        EXPECT_EQ(edit2()->window()->focusWidget(), edit2()) << c.name;
        press("RCancelSave");
    }
    EXPECT_EQ(filesUnderRoot(), QStringList());
    EXPECT_FALSE(QDir(logFolder()).exists());
}

TEST_F(LoggerTest, KeysAfterCancelReachNoHiddenNameBox) {
    m_window->show();
    m_window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_window.get()));
    QWindow* window = m_window->windowHandle();
    setState(exampleResults);
    press("BTSave");
    for (const char* c = "kunci"; *c; ++c) QTest::keyClick(window, *c);
    ASSERT_EQ(edit2()->text(), "kunci");  // typed into the open dialog
    press("RCancelSave");
    QTest::keyClick(window, 'x');
    QTest::keyClick(window, Qt::Key_Return);  // saved "kunci.log" behind the user's back
    EXPECT_EQ(edit2()->text(), "kunci");
    EXPECT_TRUE(m_messages.isEmpty());
    EXPECT_FALSE(QDir(logFolder()).exists());
}

// The second log of the day: the last name is offered selected, so typing replaces it
// rather than running on ("Budi CONBudi YTZ5S.log"); End keeps it to add to.
TEST_F(LoggerTest, TheLastNameIsOfferedSelectedAndTypingReplacesIt) {
    m_window->show();
    m_window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_window.get()));
    QWindow* window = m_window->windowHandle();
    setState(exampleResults);
    press("BTSave");
    for (const char* c = "Budi CON"; *c; ++c) QTest::keyClick(window, *c);
    ASSERT_EQ(edit2()->text(), "Budi CON");
    QTest::keyClick(window, Qt::Key_Return);
    ASSERT_FALSE(saveDialog()->isVisible());

    press("BTSave");
    EXPECT_EQ(edit2()->selectedText(), "Budi CON");
    for (const char* c = "Budi YTZ5S"; *c; ++c) QTest::keyClick(window, *c);
    EXPECT_EQ(edit2()->text(), "Budi YTZ5S");
    QTest::keyClick(window, Qt::Key_Escape);
    press("BTSave");
    QTest::keyClick(window, Qt::Key_End);
    QTest::keyClick(window, '2');
    EXPECT_EQ(edit2()->text(), "Budi YTZ5S2");
}

TEST_F(LoggerTest, FailedWriteIsReportedAndClosesTheDialog) {
    setState(exampleResults);
    saveAs(QString(300, QLatin1Char('x')));  // longer than any file system allows
    EXPECT_EQ(m_messages, QStringList{"Nama file terlalu panjang"});  // in the user's words
    EXPECT_FALSE(saveDialog()->isVisible());
    EXPECT_TRUE(ListFileDir(logFolder()).isEmpty());
}

#ifdef __unix__
// While it lives, files cannot grow past a few bytes (as on a full disk).
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &m_old);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limited = m_old;
        limited.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }

private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = nullptr;
};

TEST_F(LoggerTest, AnExistingLogSurvivesAWriteThatFails) {
    const QByteArray earlier = logOf("#|1|0|11|2|300|520|1240|1050|0|0|0|0||*");
    writeLog(QStringLiteral("aki.log"), earlier);
    setState(exampleResults);
    {
        const FileSizeLimit full(16);
        saveAs(QStringLiteral("aki"));
    }
    EXPECT_EQ(m_messages, QStringList{"Gagal menyimpan file: disk penuh atau tidak dapat ditulis"});
    EXPECT_EQ(readLog(QStringLiteral("aki.log")), earlier);
    EXPECT_EQ(ListFileDir(logFolder()), QStringList{"aki.log"});  // no half-written leftovers
    // With room again the same save replaces it.
    saveAs(QStringLiteral("aki"));
    EXPECT_EQ(readLog(QStringLiteral("aki.log")), kExampleFile);
}
#endif

TEST_F(LoggerTest, SaveQuestionAnswersAndTheSavedFlag) {
    auto* question = control<ui::SlideInDialog>("LayoutQuestionSave");
    setState(exampleResults);
    m_window->ImageAccuClick();
    EXPECT_TRUE(question->isVisible());
    press("RYES");
    EXPECT_FALSE(question->isVisible());
    EXPECT_TRUE(saveDialog()->isVisible());
    press("RCancelSave");

    m_window->ImageAccuClick();
    press("RNO");  // no save: the reset for the next battery
    EXPECT_FALSE(question->isVisible());
    EXPECT_EQ(m_window->state().snapshot().before.cca, 0);
    EXPECT_EQ(text("LCCA"), "0");

    // Once saved, the picture resets at once, without asking again.
    setState(exampleResults);
    saveAs(QStringLiteral("aki"));
    m_window->ImageAccuClick();
    EXPECT_FALSE(question->isVisible());
    EXPECT_EQ(m_window->state().snapshot().before.cca, 0);
    // The reset forgets the save: the next battery is asked about again.
    m_window->ImageAccuClick();
    EXPECT_TRUE(question->isVisible());
    press("RNO");

    // Results that change after the save are not the saved ones.
    setState(exampleResults);
    saveAs(QStringLiteral("aki"));
    setState([](ChargerState& s) { s.after.cca = 470; });
    m_window->ImageAccuClick();
    EXPECT_TRUE(question->isVisible());
    EXPECT_EQ(m_window->state().snapshot().after.cca, 470);
}

TEST_F(LoggerTest, ListShowsFilesSortedByNameAndNoFolders) {
    m_window->BT4OptionClick();  // no log folder yet: an empty list and no message
    EXPECT_TRUE(listed().isEmpty());
    for (const char* name : {"b.log", "A.log", "c.txt", ".hidden.log", "catatan"})
        writeLog(QString::fromLatin1(name), "x");
    QDir(logFolder()).mkdir(QStringLiteral("arsip"));
#ifdef __unix__
    // A pipe would block the loader for ever: only regular files are offered.
    ASSERT_EQ(mkfifo(logPath(QStringLiteral("pipa")).toLocal8Bit().constData(), 0600), 0);
#endif
    m_window->BT4OptionClick();
    EXPECT_EQ(listed(), (QStringList{".hidden.log", "A.log", "b.log", "c.txt", "catatan"}));
    EXPECT_TRUE(m_messages.isEmpty());
    auto* box = list();
    EXPECT_EQ(box->size(), QSize(350, 300));
    EXPECT_EQ(box->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_EQ(control<QAbstractButton>("BTRefresh")->text(), "Delete");
    EXPECT_EQ(control<QAbstractButton>("BTLoad")->text(), "  Load File");
}

TEST_F(LoggerTest, DeleteRemovesTheSelectedFileAndRefreshesTheList) {
    writeLog(QStringLiteral("a.log"), kExampleFile);
    writeLog(QStringLiteral("b.log"), kExampleFile);
    m_window->BT4OptionClick();
    writeLog(QStringLiteral("c.log"), kExampleFile);  // appears with the next refresh
    press("BTRefresh");
    EXPECT_EQ(m_messages, QStringList{"Pilih data yang akan dihapus"});
    EXPECT_EQ(listed(), (QStringList{"a.log", "b.log", "c.log"}));

    // Asked first: "Cancel" keeps the file, "OK" deletes it.
    m_messages.clear();
    for (const bool ok : {false, true}) {
        pickAndPress(QStringLiteral("b.log"), "BTRefresh");
        auto* question = m_window->content()->findChild<ui::MessageDialog*>("HapusLogDialog");
        ASSERT_NE(question, nullptr);
        EXPECT_EQ(question->text()->text(), "Hapus file \"b.log\"?");
        EXPECT_TRUE(QFile::exists(logPath(QStringLiteral("b.log"))));
        (ok ? question->okButton() : question->cancelButton())->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    EXPECT_TRUE(m_messages.isEmpty());
    EXPECT_EQ(listed(), (QStringList{"a.log", "c.log"}));
    EXPECT_TRUE(list()->selectedItems().isEmpty());
    EXPECT_FALSE(QFile::exists(logPath(QStringLiteral("b.log"))));

    // Removed behind the program's back: the failure is reported, the list stays.
    m_window->BT4OptionClick();
    list()->setCurrentRow(0);
    QFile::remove(logPath(QStringLiteral("a.log")));
    press("BTRefresh");
    m_window->content()->findChild<ui::MessageDialog*>("HapusLogDialog")->okButton()->click();
    EXPECT_EQ(m_messages, QStringList{"Gagal menghapus file: file tidak ditemukan"});
    EXPECT_EQ(listed(), (QStringList{"a.log", "c.log"}));
}

TEST_F(LoggerTest, LoadingTheExampleShowsItAsIfJustReported) {
    setState([](ChargerState& s) { s.after.status = "previous battery"; });
    for (const QByteArray& bytes : {kExampleFile, kExampleFile.toLower()}) {
        writeLog(QStringLiteral("contoh.log"), bytes);
        m_messages.clear();
        pickAndPress(QStringLiteral("contoh.log"), "BTLoad");
        EXPECT_EQ(m_messages, QStringList{kLoaded});
        EXPECT_TRUE(shown("RCAccu"));
        EXPECT_TRUE(shown("RBefore"));
        EXPECT_TRUE(shown("RAfter"));
        EXPECT_EQ(text("BCCA"), "CCA = 410");
        EXPECT_EQ(text("BiR"), "iR = 4.50 mOhm");
        EXPECT_EQ(text("BVo"), "Vo = 12.71 V");
        EXPECT_EQ(text("Bvd"), "V Diagnostic  = 11.02 V");
        EXPECT_EQ(text("ACCA"), "CCA = 455");
        EXPECT_EQ(text("AiR"), "iR = 4.20 mOhm");
        EXPECT_EQ(text("AVo"), "Vo = 13.05 V");
        EXPECT_EQ(text("Avd"), "V Diagnostic  = 11.80 V");
        EXPECT_EQ(text("ARes1"), "Status  = ");
        EXPECT_EQ(text("LCCA"), "455");
        EXPECT_EQ(text("LiR"), "4.2");
        EXPECT_EQ(control<QComboBox>("ComboMerk")->currentIndex(), 0);
        EXPECT_EQ(control<QComboBox>("ComboJenis")->currentIndex(), 1);
        // Zentor's Lithium list has three types: position 3 leaves the type box empty.
        EXPECT_EQ(control<QComboBox>("ComboTipe")->currentIndex(), -1);
        EXPECT_TRUE(control<QRadioButton>("RadioNormal")->isChecked());
        const ChargerState s = m_window->state().snapshot();
        EXPECT_FALSE(s.profileReceived);  // applied to the selection at once
        EXPECT_EQ(s.after.cca, 455);
        EXPECT_EQ(s.after.status, "");  // this battery's status, not the previous one's
    }
    EXPECT_EQ(m_window->logger().loadedRecord().before.diagVoltage, 11.02);
}

TEST_F(LoggerTest, LoadWithoutAfterResultShowsBeforeFiguresAndClearsOldLines) {
    // The panels still show another battery, and a test-mode result covers them.
    control<QLabel>("Bvd")->setText(QStringLiteral("V Diagnostic  = 9.99 V"));
    control<QLabel>("Avd")->setText(QStringLiteral("V Diagnostic  = 9.99 V"));
    control("RTest")->show();
    writeLog(QStringLiteral("sebelum.log"), logOf("#|1|0|11|2|300|520|1240|1050|0|0|0|0|LEMAH|*"));
    pickAndPress(QStringLiteral("sebelum.log"), "BTLoad");
    EXPECT_EQ(m_messages, QStringList{kLoaded});
    EXPECT_EQ(text("LCCA"), "300");
    EXPECT_EQ(text("LiR"), "5.2");
    EXPECT_EQ(text("Bvd"), "V Diagnostic  = 10.50 V");
    EXPECT_EQ(text("Avd"), "V Diagnostic  = 0.00 V");
    EXPECT_EQ(text("ACCA"), "CCA = 0");
    EXPECT_EQ(text("ARes1"), "Status  = LEMAH");
    EXPECT_TRUE(shown("RAfter"));
    EXPECT_FALSE(shown("RTest"));
    EXPECT_TRUE(control<QRadioButton>("RadioFast")->isChecked());
    EXPECT_EQ(m_window->state().snapshot().after.status, "LEMAH");
}

TEST_F(LoggerTest, FilesWithoutResultsGiveDataKosong) {
    writeLog(QStringLiteral("contoh.log"), kExampleFile);
    pickAndPress(QStringLiteral("contoh.log"), "BTLoad");
    const std::string before = stateJson();
    const char* invalid[] = {
        "#|0|1|3|1|410|450|1271|1102|455|420|1305|1180|*",      // 14 fields
        "#|0|1|3|1|410|450|1271|1102|455|420|1305|1180|||*",    // 16 fields
        "#|0|1|3|1|410|450|1271|1102|455|420|1305|1180|G#D|*",  // "#" in the status
    };
    int n = 0;
    for (const char* record : invalid)
        writeLog(QStringLiteral("bad%1.log").arg(n++), logOf(record));
    writeLog(QStringLiteral("catatan.txt"), "Nota bengkel: aki Yuasa\r\n");
    writeLog(QStringLiteral("kosong.log"), "");
    // A long line of marks: each would repeat the rest of the line.
    writeLog(QStringLiteral("tanda.log"), QByteArray(150000, '#').toHex());
    for (const QString& name : {QStringLiteral("bad0.log"), QStringLiteral("bad1.log"),
                                QStringLiteral("bad2.log"), QStringLiteral("catatan.txt"),
                                QStringLiteral("kosong.log"), QStringLiteral("tanda.log")}) {
        m_messages.clear();
        pickAndPress(name, "BTLoad");
        EXPECT_EQ(m_messages, QStringList{kEmpty}) << name.toStdString();
        EXPECT_EQ(stateJson(), before) << name.toStdString();  // nothing changed
    }

    // A valid record whose numbers are all 0: its profile is stored, nothing is shown.
    m_window->rest();
    writeLog(QStringLiteral("nol.log"), logOf("#|2|1|5|2|0|0|0|0|0|0|0|0||*"));
    m_messages.clear();
    pickAndPress(QStringLiteral("nol.log"), "BTLoad");
    EXPECT_EQ(m_messages, QStringList{kEmpty});
    EXPECT_EQ(m_window->state().snapshot().profileTypeIndex, 5);
    EXPECT_FALSE(shown("RCAccu"));
}

TEST_F(LoggerTest, NumberThatDoesNotConvertIsReportedAndNothingIsStored) {
    setState(exampleResults);
    const std::string before = stateJson();
    writeLog(QStringLiteral("rusak.log"),
             logOf("#|2|1|5|2|300|520|1240|1050|455|420|13x5|1180||*"));
    pickAndPress(QStringLiteral("rusak.log"), "BTLoad");
    EXPECT_EQ(m_messages, QStringList{"Data log rusak: \"13x5\" bukan angka"});
    EXPECT_EQ(stateJson(), before);
    EXPECT_FALSE(shown("RCAccu"));
}

TEST_F(LoggerTest, LoadNeedsASelectionAndAReadableFile) {
    writeLog(QStringLiteral("a.log"), kExampleFile);
    m_window->BT4OptionClick();
    press("BTLoad");
    EXPECT_EQ(m_messages, QStringList{"Pilih data yang akan dimuat"});
    m_messages.clear();
    list()->setCurrentRow(0);
    QFile::remove(logPath(QStringLiteral("a.log")));
    press("BTLoad");
    ASSERT_EQ(m_messages.size(), 1);
    EXPECT_NE(m_messages.front(), kEmpty);
    EXPECT_EQ(m_window->state().snapshot().before.cca, 0);
}

TEST_F(LoggerTest, LongRecordIsReadWhole) {
    // Longer than one read of the file: the record spans several.
    const std::string status(50000, 'S');
    setState(exampleResults);
    setState([&status](ChargerState& s) { s.after.status = status; });
    saveAs(QStringLiteral("panjang"));
    m_window->rest();
    pickAndPress(QStringLiteral("panjang.log"), "BTLoad");
    EXPECT_EQ(m_messages, (QStringList{kSaved, kLoaded}));
    EXPECT_EQ(m_window->state().snapshot().after.status, status);
}

TEST_F(LoggerTest, SavedResultLoadsBackAfterAResetAndSavesAgainUnchanged) {
    setState(exampleResults);
    setState([](ChargerState& s) {
        s.after.status = "GO|OD*";  // the record's own marks
        s.before.resistance = 4.35;
    });
    saveAs(QStringLiteral("bengkel"));
    m_window->rest();
    pickAndPress(QStringLiteral("bengkel.log"), "BTLoad");
    EXPECT_EQ(m_messages, (QStringList{kSaved, kLoaded}));
    EXPECT_EQ(text("ARes1"), "Status  = GO OD ");
    EXPECT_EQ(text("BiR"), "iR = 4.35 mOhm");
    saveAs(QStringLiteral("salinan"));
    EXPECT_EQ(readLog(QStringLiteral("salinan.log")), readLog(QStringLiteral("bengkel.log")));
}

}  // namespace
