#pragma once

#include <QDateTime>
#include <QImage>
#include <QObject>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>

#include "printing/PrinterRaster.h"

namespace velmora {

class BluetoothPlatform;

// The "Printer Simulasi": puts what the simulated printer receives on a paper roll with
// the core's ESC/POS reader, and when the bytes stop coming, tears the receipt off,
// saves it as a PNG picture and hands it on to be shown. Lives on the user-interface
// thread; bytes may arrive from any thread.
class VirtualPrinter : public QObject {
    Q_OBJECT
public:
    // A receipt is complete when no byte has come for this long.
    static constexpr int kTearOffMs = 500;

    explicit VirtualPrinter(QObject* parent = nullptr);
    ~VirtualPrinter() override;

    // Listens to the simulated printer when the platform offers one.
    void attachTo(BluetoothPlatform& platform);
    // Takes bytes as the printer receives them; safe from any thread.
    void receive(const std::string& bytes);
    // Prints what has arrived so far at once.
    void tearOff();

    // Where the pictures go: "Velmora Tester/Struk" in the user's Documents by default.
    QString folder() const { return m_folder; }
    void setFolder(const QString& folder) { m_folder = folder; }
    void setClock(std::function<QDateTime()> clock) { m_clock = std::move(clock); }

    // The dots as a picture, black on white.
    static QImage paperImage(const printing::DotGrid& dots);

signals:
    // savedPath is empty when saving failed; saveError then says why.
    void receiptPrinted(const QImage& paper, const QString& savedPath, const QString& saveError);

private:
    struct Inbox;
    void take(const std::string& bytes);
    QString saveAs(const QImage& paper, QString* error) const;

    std::shared_ptr<Inbox> m_inbox;
    std::string m_bytes;
    QTimer m_idle;
    QString m_folder;
    std::function<QDateTime()> m_clock;
};

}  // namespace velmora
