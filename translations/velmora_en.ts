<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="id">
<context>
    <name>BayTexts</name>
    <message>
        <source>Terhubung</source>
        <translation>Connected</translation>
    </message>
    <message>
        <source>Menyambung ulang (percobaan %1)</source>
        <translation>Reconnecting (attempt %1)</translation>
    </message>
    <message>
        <source>Menyambung ulang…</source>
        <translation>Reconnecting…</translation>
    </message>
    <message>
        <source>Terputus</source>
        <translation>Disconnected</translation>
    </message>
    <message>
        <source>Menyambungkan…</source>
        <translation>Connecting…</translation>
    </message>
    <message>
        <source>SELESAI</source>
        <translation>DONE</translation>
    </message>
    <message>
        <source>AKI RUSAK</source>
        <translation>BAD BATTERY</translation>
    </message>
    <message>
        <source>TERPUTUS</source>
        <translation>LINK LOST</translation>
    </message>
    <message>
        <source>Tahap %1 · %2</source>
        <translation>Stage %1 · %2</translation>
    </message>
</context>
<context>
    <name>CoreTexts</name>
    <message>
        <source>Nyalakan bluetooth anda</source>
        <translation>Turn on your Bluetooth</translation>
    </message>
    <message>
        <source>Matikan lalu hidupkan lagi charger anda</source>
        <translation>Turn your charger off and on again</translation>
    </message>
    <message>
        <source>Nilai opsi di luar batas</source>
        <translation>Option value out of range</translation>
    </message>
    <message>
        <source>Riwayat tidak tersedia: berkas sedang dipakai program lain</source>
        <translation>History unavailable: file in use by another program</translation>
    </message>
    <message>
        <source>Riwayat tidak tersedia: berkas tidak dapat ditulis</source>
        <translation>History unavailable: file cannot be written</translation>
    </message>
    <message>
        <source>Riwayat tidak tersedia: disk penuh</source>
        <translation>History unavailable: disk full</translation>
    </message>
    <message>
        <source>Riwayat tidak tersedia: berkas rusak</source>
        <translation>History unavailable: file damaged</translation>
    </message>
    <message>
        <source>Riwayat dibuat oleh versi aplikasi yang lebih baru: hanya dapat dibaca</source>
        <translation>History made by a newer version of the app: read only</translation>
    </message>
    <message>
        <source>Riwayat belum ada</source>
        <translation>No history yet</translation>
    </message>
    <message>
        <source>Riwayat tidak tersedia: gagal membaca atau menulis berkas</source>
        <translation>History unavailable: file could not be read or written</translation>
    </message>
</context>
<context>
    <name>ErrorReportingApplication</name>
    <message>
        <source>Terjadi kesalahan yang tidak diketahui</source>
        <translation>An unknown error occurred</translation>
    </message>
</context>
<context>
    <name>FileDialogs</name>
    <message>
        <source>Simpan sebagai</source>
        <translation>Save as</translation>
    </message>
</context>
<context>
    <name>KeepAwake</name>
    <message>
        <source>Pengisian aki sedang dipantau</source>
        <translation>A battery charge is being watched</translation>
    </message>
</context>
<context>
    <name>LinkStatus</name>
    <message>
        <source>Menyambungkan ke %1...</source>
        <translation>Connecting to %1...</translation>
    </message>
    <message>
        <source>Koneksi terputus</source>
        <translation>Connection lost</translation>
    </message>
    <message>
        <source>Printer: %1</source>
        <translation>Printer: %1</translation>
    </message>
    <message>
        <source>Perangkat tidak menjawab</source>
        <translation>Device not responding</translation>
    </message>
    <message>
        <source>Terhubung: %1</source>
        <translation>Connected: %1</translation>
    </message>
</context>
<context>
    <name>LogFolder</name>
    <message>
        <source>Gagal menyimpan file</source>
        <translation>Could not save the file</translation>
    </message>
    <message>
        <source>Gagal menghapus file</source>
        <translation>Could not delete the file</translation>
    </message>
    <message>
        <source>Gagal membaca file</source>
        <translation>Could not read the file</translation>
    </message>
    <message>
        <source>Nama file terlalu panjang</source>
        <translation>File name too long</translation>
    </message>
    <message>
        <source>%1: disk penuh atau tidak dapat ditulis</source>
        <translation>%1: disk full or not writable</translation>
    </message>
    <message>
        <source>%1: tidak ada izin</source>
        <translation>%1: permission denied</translation>
    </message>
    <message>
        <source>%1: file tidak ditemukan</source>
        <translation>%1: file not found</translation>
    </message>
    <message>
        <source>%1: folder atau file tidak dapat dipakai</source>
        <translation>%1: folder or file cannot be used</translation>
    </message>
</context>
<context>
    <name>PrinterImages</name>
    <message>
        <source>Grafik tidak dapat digambar</source>
        <translation>The chart cannot be drawn</translation>
    </message>
    <message>
        <source>Gambar grafik tidak dapat disimpan</source>
        <translation>The chart picture cannot be stored</translation>
    </message>
    <message>
        <source>Gambar grafik tidak dapat dibaca</source>
        <translation>The chart picture cannot be read</translation>
    </message>
</context>
<context>
    <name>ResultLines</name>
    <message>
        <source>CCA = %1</source>
        <translation>CCA = %1</translation>
    </message>
    <message>
        <source>iR = %1 mOhm</source>
        <translation>iR = %1 mOhm</translation>
    </message>
    <message>
        <source>V Diagnostic  = %1 V</source>
        <translation>V Diagnostic = %1 V</translation>
    </message>
    <message>
        <source>Voltage = %1 V</source>
        <translation>Voltage = %1 V</translation>
    </message>
    <message>
        <source>Status  = %1</source>
        <translation>Status = %1</translation>
    </message>
    <message>
        <source>Vo = %1 V</source>
        <translation>Vo = %1 V</translation>
    </message>
</context>
<context>
    <name>SessionTexts</name>
    <message>
        <source>Tes</source>
        <translation>Test</translation>
    </message>
    <message>
        <source>Isi daya (di tengah)</source>
        <translation>Charge (midway)</translation>
    </message>
    <message>
        <source>Isi daya</source>
        <translation>Charge</translation>
    </message>
    <message>
        <source>Sedang direkam</source>
        <translation>Recording</translation>
    </message>
    <message>
        <source>Tidak selesai</source>
        <translation>Not finished</translation>
    </message>
    <message>
        <source>Selesai</source>
        <translation>Finished</translation>
    </message>
    <message>
        <source>Dihentikan</source>
        <translation>Stopped</translation>
    </message>
    <message>
        <source>Koneksi terputus</source>
        <translation>Connection lost</translation>
    </message>
    <message>
        <source>Aplikasi ditutup</source>
        <translation>App closed</translation>
    </message>
    <message>
        <source>Baterai dilepas</source>
        <translation>Battery removed</translation>
    </message>
    <message>
        <source>Charger standby</source>
        <translation>Charger standby</translation>
    </message>
    <message>
        <source>Diganti sesi baru</source>
        <translation>New session began</translation>
    </message>
    <message>
        <source>Dialihkan ke printer</source>
        <translation>Switched to printer</translation>
    </message>
    <message>
        <source>Berhenti dipantau</source>
        <translation>No longer watched</translation>
    </message>
</context>
<context>
    <name>StageTable</name>
    <message>
        <source>DIAGNOSTIC</source>
        <translation>DIAGNOSTIC</translation>
    </message>
    <message>
        <source>CONSTANT CURRENT</source>
        <translation>CONSTANT CURRENT</translation>
    </message>
    <message>
        <source>CONSTANT VOLTAGE 1</source>
        <translation>CONSTANT VOLTAGE 1</translation>
    </message>
    <message>
        <source>CONSTANT VOLTAGE 2</source>
        <translation>CONSTANT VOLTAGE 2</translation>
    </message>
    <message>
        <source>FLOATING</source>
        <translation>FLOATING</translation>
    </message>
</context>
<context>
    <name>WindowContent</name>
    <message>
        <source>Hapus sesi ini dari riwayat?</source>
        <translation>Delete this session from the history?</translation>
    </message>
    <message>
        <source>Hasil dan grafiknya tidak dapat dikembalikan</source>
        <translation>Its results and charts cannot be brought back</translation>
    </message>
    <message>
        <source>Tidak</source>
        <translation>No</translation>
    </message>
    <message>
        <source>Iya</source>
        <translation>Yes</translation>
    </message>
</context>
<context>
    <name>velmora::AddBayDialog</name>
    <message>
        <source>Tambah charger</source>
        <translation>Add charger</translation>
    </message>
    <message>
        <source>Tidak ada charger lain yang dipasangkan</source>
        <translation>No other paired charger</translation>
    </message>
    <message>
        <source>Batalkan</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Tambahkan</source>
        <translation>Add</translation>
    </message>
</context>
<context>
    <name>velmora::BayCard</name>
    <message>
        <source>Ubah nama</source>
        <translation>Rename</translation>
    </message>
    <message>
        <source>Berhenti memantau</source>
        <translation>Stop watching</translation>
    </message>
    <message>
        <source>Nama tidak boleh kosong</source>
        <translation>The name cannot be empty</translation>
    </message>
    <message>
        <source>Aki belum dipilih</source>
        <translation>No battery chosen</translation>
    </message>
    <message>
        <source>Bacaan terakhir %1 · %2</source>
        <translation>Last reading %1 · %2</translation>
    </message>
</context>
<context>
    <name>velmora::Bench</name>
    <message>
        <source>Rak %1</source>
        <translation>Bay %1</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>Charger ini sudah dipantau</source>
        <translation>This charger is already watched</translation>
    </message>
    <message>
        <source>Charger tidak ditemukan di daftar perangkat</source>
        <translation>Charger not found in the device list</translation>
    </message>
    <message>
        <source>Perangkat ini printer, bukan charger</source>
        <translation>This device is a printer, not a charger</translation>
    </message>
    <message>
        <source>Charger tidak dapat disambungkan</source>
        <translation>The charger cannot be connected</translation>
    </message>
    <message>
        <source>Paling banyak %1 charger sekaligus</source>
        <translation>At most %1 chargers at once</translation>
    </message>
</context>
<context>
    <name>velmora::BenchScreen</name>
    <message>
        <source>Pilih kartu untuk melihat rinciannya</source>
        <translation>Choose a card to see its details</translation>
    </message>
    <message>
        <source>+ Tambah charger</source>
        <translation>+ Add charger</translation>
    </message>
    <message>
        <source>Belum ada charger yang dipantau.
Tekan &quot;+ Tambah charger&quot; untuk memulai.</source>
        <translation>No charger is being watched yet.
Press &quot;+ Add charger&quot; to start.</translation>
    </message>
    <message>
        <source>Pengisian yang sudah tercatat tetap ada di Riwayat</source>
        <translation>Charges already recorded stay in the History</translation>
    </message>
    <message>
        <source>Tidak</source>
        <translation>No</translation>
    </message>
    <message>
        <source>Iya</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>Berhenti memantau %1?</source>
        <translation>Stop watching %1?</translation>
    </message>
</context>
<context>
    <name>velmora::CertificateCheckDialog</name>
    <message>
        <source>Kode %1 - %2
%3 %4 %5, %6
No. seri %7, %8</source>
        <translation>Code %1 - %2
%3 %4 %5, %6
Serial %7, %8</translation>
    </message>
    <message>
        <source>Sertifikat sah</source>
        <translation>Valid certificate</translation>
    </message>
    <message>
        <source>Sertifikat telah diubah, tidak sah</source>
        <translation>The certificate has been changed: not valid</translation>
    </message>
    <message>
        <source>Ditandatangani kunci dealer yang tidak dikenal</source>
        <translation>Signed by an unknown dealer key</translation>
    </message>
    <message>
        <source>Bukan sertifikat yang bisa dibaca</source>
        <translation>Not a readable certificate</translation>
    </message>
    <message>
        <source>Versi sertifikat belum didukung</source>
        <translation>This certificate version is not supported yet</translation>
    </message>
    <message>
        <source>PERIKSA SERTIFIKAT</source>
        <translation>CHECK CERTIFICATE</translation>
    </message>
    <message>
        <source>Tempel teks kode QR, atau buka foto atau pindaian struk</source>
        <translation>Paste the QR code&apos;s text, or open a photo or scan of the receipt</translation>
    </message>
    <message>
        <source>Buka Gambar</source>
        <translation>Open Picture</translation>
    </message>
    <message>
        <source>Tutup</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Periksa</source>
        <translation>Check</translation>
    </message>
    <message>
        <source>Gambar (*.png *.jpg *.jpeg *.bmp)</source>
        <translation>Pictures (*.png *.jpg *.jpeg *.bmp)</translation>
    </message>
    <message>
        <source>Gambar tidak bisa dibuka</source>
        <translation>The picture cannot be opened</translation>
    </message>
    <message>
        <source>Tidak ada kode QR pada gambar</source>
        <translation>No QR code in the picture</translation>
    </message>
    <message>
        <source>Ada lebih dari satu kode QR pada gambar</source>
        <translation>More than one QR code in the picture</translation>
    </message>
    <message>
        <source>Kode pada gambar bukan kode QR</source>
        <translation>The code in the picture is not a QR code</translation>
    </message>
</context>
<context>
    <name>velmora::CertificateControls</name>
    <message>
        <source>Kunci Dealer</source>
        <translation>Dealer key</translation>
    </message>
    <message>
        <source>Ekspor Kunci</source>
        <translation>Export Key</translation>
    </message>
    <message>
        <source>Kunci Baru</source>
        <translation>New Key</translation>
    </message>
    <message>
        <source>Periksa</source>
        <translation>Check</translation>
    </message>
    <message>
        <source>Kunci dealer tidak bisa dipakai</source>
        <translation>The dealer key cannot be used</translation>
    </message>
    <message>
        <source>Kunci publik (*.pub)</source>
        <translation>Public key (*.pub)</translation>
    </message>
    <message>
        <source>Kunci publik disimpan</source>
        <translation>Public key saved</translation>
    </message>
    <message>
        <source>Kunci dealer baru dibuat; kunci lama tetap bisa diekspor</source>
        <translation>New dealer key made; the old one can still be exported</translation>
    </message>
</context>
<context>
    <name>velmora::ChartPlot</name>
    <message>
        <source>Tegangan ( V )</source>
        <translation>Voltage ( V )</translation>
    </message>
    <message>
        <source>Arus ( A )</source>
        <translation>Current ( A )</translation>
    </message>
    <message>
        <source>Waktu</source>
        <translation>Time</translation>
    </message>
</context>
<context>
    <name>velmora::ChartScreen</name>
    <message>
        <source>Tahap %1</source>
        <translation>Stage %1</translation>
    </message>
</context>
<context>
    <name>velmora::ConnectionDialog</name>
    <message>
        <source>Pilih Perangkat Charger</source>
        <translation>Choose a Charger</translation>
    </message>
    <message>
        <source>Menyambungkan...</source>
        <translation>Connecting...</translation>
    </message>
    <message>
        <source>Sambungkan</source>
        <translation>Connect</translation>
    </message>
    <message>
        <source>Print Test</source>
        <translation>Print Test</translation>
    </message>
    <message>
        <source>Pilih Printer</source>
        <translation>Choose a Printer</translation>
    </message>
    <message>
        <source>Print Charge</source>
        <translation>Print Charge</translation>
    </message>
    <message>
        <source>Cetak Riwayat</source>
        <translation>Print History</translation>
    </message>
    <message>
        <source>Tambah printer jaringan</source>
        <translation>Add a network printer</translation>
    </message>
    <message>
        <source>Alamat IP, mis. 192.168.1.20:9100</source>
        <translation>IP address, e.g. 192.168.1.20:9100</translation>
    </message>
</context>
<context>
    <name>velmora::ConnectionFlow</name>
    <message>
        <source>Perangkat ini charger, bukan printer. Pilih printer untuk mencetak</source>
        <translation>This device is a charger, not a printer. Choose a printer to print.</translation>
    </message>
    <message>
        <source>Alamat printer tidak dikenal. Tulis alamat IP dan port, mis. 192.168.1.20:9100</source>
        <translation>Unknown printer address. Type the IP address and port, e.g. 192.168.1.20:9100</translation>
    </message>
</context>
<context>
    <name>velmora::DashboardScreen</name>
    <message>
        <source>Cetak struk</source>
        <translation>Print receipt</translation>
    </message>
    <message>
        <source>Simpan hasil</source>
        <translation>Save results</translation>
    </message>
    <message>
        <source>Sambungkan charger</source>
        <translation>Connect charger</translation>
    </message>
    <message>
        <source>STOP</source>
        <translation>STOP</translation>
    </message>
    <message>
        <source>Hentikan pengisian</source>
        <translation>Stop charging</translation>
    </message>
    <message>
        <source>STANDBY</source>
        <translation>STANDBY</translation>
    </message>
    <message>
        <source>REVERSE POLARITY</source>
        <translation>REVERSE POLARITY</translation>
    </message>
    <message>
        <source>BATTERY UNPLUG</source>
        <translation>BATTERY UNPLUGGED</translation>
    </message>
    <message>
        <source>BATTERY DETECTED</source>
        <translation>BATTERY DETECTED</translation>
    </message>
    <message>
        <source>ANALYZE</source>
        <translation>ANALYZE</translation>
    </message>
</context>
<context>
    <name>velmora::DataLogger</name>
    <message>
        <source>Isi nama file</source>
        <translation>Enter a file name</translation>
    </message>
    <message>
        <source>Nama file tidak boleh memuat / \ atau :</source>
        <translation>File name cannot contain / \ or :</translation>
    </message>
    <message>
        <source>Nama file tidak boleh &quot;.&quot; atau &quot;..&quot;</source>
        <translation>File name cannot be &quot;.&quot; or &quot;..&quot;</translation>
    </message>
    <message>
        <source>Nama file tidak boleh memuat karakter kontrol</source>
        <translation>File name cannot contain control characters</translation>
    </message>
    <message>
        <source>Nama file dipakai oleh sistem, pilih nama lain</source>
        <translation>That file name is reserved by the system. Choose another.</translation>
    </message>
    <message>
        <source>Nama file tidak boleh memuat &lt; &gt; &quot; | ? atau *</source>
        <translation>File name cannot contain &lt; &gt; &quot; | ? or *</translation>
    </message>
    <message>
        <source>Berhasil disimpan</source>
        <translation>Saved</translation>
    </message>
    <message>
        <source>Pilih data yang akan dihapus</source>
        <translation>Choose the data to delete</translation>
    </message>
    <message>
        <source>Hapus file &quot;%1&quot;?</source>
        <translation>Delete file &quot;%1&quot;?</translation>
    </message>
    <message>
        <source>Pilih data yang akan dimuat</source>
        <translation>Choose the data to load</translation>
    </message>
    <message>
        <source>Data kosong</source>
        <translation>No data</translation>
    </message>
    <message>
        <source>Memuat data sukses</source>
        <translation>Data loaded</translation>
    </message>
    <message>
        <source>Data log rusak: &quot;%1&quot; bukan angka</source>
        <translation>Log data damaged: &quot;%1&quot; is not a number</translation>
    </message>
</context>
<context>
    <name>velmora::DealerKeys</name>
    <message>
        <source>Berkas sudah ada, tidak ditimpa</source>
        <translation>The file exists and was not overwritten</translation>
    </message>
    <message>
        <source>Kunci dealer tidak ada</source>
        <translation>No dealer key</translation>
    </message>
    <message>
        <source>Kunci dealer tidak bisa dibaca</source>
        <translation>The dealer key cannot be read</translation>
    </message>
    <message>
        <source>Kunci dealer bisa dibaca pengguna lain, tidak dipakai</source>
        <translation>Other users can read the dealer key: not used</translation>
    </message>
    <message>
        <source>Kunci dealer rusak</source>
        <translation>The dealer key is damaged</translation>
    </message>
    <message>
        <source>Kunci dealer tidak bisa disimpan</source>
        <translation>The dealer key cannot be saved</translation>
    </message>
</context>
<context>
    <name>velmora::DevicePlatform</name>
    <message>
        <source>Charger Simulasi</source>
        <translation>Simulated Charger</translation>
    </message>
    <message>
        <source>Charger Simulasi (Tes)</source>
        <translation>Simulated Charger (Test)</translation>
    </message>
    <message>
        <source>Printer Simulasi</source>
        <translation>Simulated Printer</translation>
    </message>
    <message>
        <source>Charger Simulasi %1</source>
        <translation>Simulated Charger %1</translation>
    </message>
</context>
<context>
    <name>velmora::DiagnosticScreen</name>
    <message>
        <source>DATA REFERENSI</source>
        <translation>REFERENCE DATA</translation>
    </message>
    <message>
        <source>Nama Profil</source>
        <translation>Profile Name</translation>
    </message>
    <message>
        <source>Merk</source>
        <translation>Brand</translation>
    </message>
    <message>
        <source>Jenis</source>
        <translation>Variety</translation>
    </message>
    <message>
        <source>Tipe</source>
        <translation>Type</translation>
    </message>
    <message>
        <source>Kapasitas</source>
        <translation>Capacity</translation>
    </message>
    <message>
        <source>Mode Pengisian</source>
        <translation>Charging Mode</translation>
    </message>
    <message>
        <source>Normal Mode</source>
        <translation>Normal Mode</translation>
    </message>
    <message>
        <source>Fast Mode</source>
        <translation>Fast Mode</translation>
    </message>
    <message>
        <source>Tambah Data</source>
        <translation>Add Data</translation>
    </message>
    <message>
        <source>   Kirim Data</source>
        <translation>   Send Data</translation>
    </message>
    <message>
        <source>Opsi Ke</source>
        <translation>Option No.</translation>
    </message>
    <message>
        <source>Arus CC</source>
        <translation>CC Current</translation>
    </message>
    <message>
        <source>Baterai berikutnya</source>
        <translation>Next battery</translation>
    </message>
    <message>
        <source>   Atur Data</source>
        <translation>   Set Data</translation>
    </message>
    <message>
        <source>Ketik di sini</source>
        <translation>Type here</translation>
    </message>
    <message>
        <source>Sebelum Pengisian</source>
        <translation>Before Charging</translation>
    </message>
    <message>
        <source>Sesudah Pengisian</source>
        <translation>After Charging</translation>
    </message>
    <message>
        <source>Hasil Tes</source>
        <translation>Test Result</translation>
    </message>
</context>
<context>
    <name>velmora::ExitQuestion</name>
    <message>
        <source>Apakah anda yakin ingin keluar dari aplikasi ?</source>
        <translation>Are you sure you want to quit the app?</translation>
    </message>
    <message>
        <source>Struk sedang dicetak dan akan terpotong.
Apakah anda yakin ingin keluar dari aplikasi ?</source>
        <translation>A receipt is being printed and would be cut off.
Are you sure you want to quit the app?</translation>
    </message>
    <message>
        <source>Pengisian sedang dipantau dan dicatat; keduanya akan berhenti.
Apakah anda yakin ingin keluar dari aplikasi ?</source>
        <translation>A charge is being watched and recorded; both would stop.
Are you sure you want to quit the app?</translation>
    </message>
    <message>
        <source>Aplikasi sedang menyambung ulang ke charger.
Apakah anda yakin ingin keluar dari aplikasi ?</source>
        <translation>The app is reconnecting to the charger.
Are you sure you want to quit the app?</translation>
    </message>
</context>
<context>
    <name>velmora::ForceStopDialog</name>
    <message>
        <source>Proses pengisian daya belum selesai</source>
        <translation>Charging is not finished yet</translation>
    </message>
    <message>
        <source>apakah anda yakin ingin menghentikan ?</source>
        <translation>Are you sure you want to stop it?</translation>
    </message>
    <message>
        <source>Tidak</source>
        <translation>No</translation>
    </message>
    <message>
        <source>Iya</source>
        <translation>Yes</translation>
    </message>
</context>
<context>
    <name>velmora::GuideScreen</name>
    <message>
        <source>Kembali</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>Panduan Charger &amp; Aplikasi</source>
        <translation>Charger &amp; App Guide</translation>
    </message>
</context>
<context>
    <name>velmora::HistoryBrowser</name>
    <message>
        <source>Belum ada sesi yang direkam</source>
        <translation>No sessions recorded yet</translation>
    </message>
    <message>
        <source>%1  ·  hanya dapat dibaca</source>
        <translation>%1  ·  read only</translation>
    </message>
    <message>
        <source>Pilih sesi yang akan dilihat</source>
        <translation>Choose a session to view</translation>
    </message>
    <message>
        <source>Sesi tidak ditemukan, mungkin sudah dihapus</source>
        <translation>Session not found; it may have been deleted</translation>
    </message>
    <message>
        <source>Sesi sedang direkam, tidak dapat dihapus</source>
        <translation>This session is being recorded and cannot be deleted</translation>
    </message>
    <message>
        <source>Berhasil disimpan</source>
        <translation>Saved</translation>
    </message>
    <message numerus="yes">
        <source>%n sesi</source>
        <translation>
            <numerusform>%n session</numerusform>
            <numerusform>%n sessions</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 dari %n sesi</source>
        <translation>
            <numerusform>%1 of %n session</numerusform>
            <numerusform>%1 of %n sessions</numerusform>
        </translation>
    </message>
    <message>
        <source>%1  ·  beberapa detik terakhir mungkin hilang</source>
        <translation>%1  ·  the last seconds may be missing</translation>
    </message>
    <message>
        <source>Berkas itu adalah riwayat sendiri, pilih nama lain</source>
        <translation>That file is the history itself; choose another name</translation>
    </message>
    <message>
        <source>Riwayat</source>
        <translation>History</translation>
    </message>
    <message>
        <source>Riwayat %1 %2</source>
        <translation>History %1 %2</translation>
    </message>
    <message>
        <source>Sertifikat sesi ini tidak bisa dibaca; struk tanpa sertifikat</source>
        <translation>This session&apos;s certificate cannot be read; the receipt goes without it</translation>
    </message>
    <message>
        <source>Semua rak</source>
        <translation>All bays</translation>
    </message>
</context>
<context>
    <name>velmora::HistoryDialog</name>
    <message>
        <source>Riwayat</source>
        <translation>History</translation>
    </message>
    <message>
        <source>Cari tanggal, merek, tipe, status...</source>
        <translation>Search date, brand, type, status...</translation>
    </message>
    <message>
        <source>Ekspor Daftar</source>
        <translation>Export List</translation>
    </message>
    <message>
        <source>Tutup</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Lihat</source>
        <translation>View</translation>
    </message>
    <message>
        <source>Tampilkan sesi satu rak saja</source>
        <translation>Show one bay&apos;s sessions only</translation>
    </message>
</context>
<context>
    <name>velmora::InformationDialog</name>
    <message>
        <source>DATA INFORMASI</source>
        <translation>DEALER INFORMATION</translation>
    </message>
    <message>
        <source>Nama Dealer</source>
        <translation>Dealer Name</translation>
    </message>
    <message>
        <source>Alamat</source>
        <translation>Address</translation>
    </message>
    <message>
        <source>Kota</source>
        <translation>City</translation>
    </message>
    <message>
        <source>Telepon</source>
        <translation>Phone</translation>
    </message>
    <message>
        <source>Nama Printer</source>
        <translation>Printer Name</translation>
    </message>
    <message>
        <source>Batalkan</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Kirim</source>
        <translation>Send</translation>
    </message>
    <message>
        <source>Sambungkan ke bluetooth printer</source>
        <translation>Connect to a Bluetooth printer</translation>
    </message>
    <message>
        <source>Tidak ada perangkat tersambung, data informasi tidak terkirim</source>
        <translation>No device connected: the information was not sent</translation>
    </message>
    <message>
        <source>Ketik di sini</source>
        <translation>Type here</translation>
    </message>
</context>
<context>
    <name>velmora::JobDetailsDialog</name>
    <message>
        <source>DATA PEKERJAAN</source>
        <translation>JOB DETAILS</translation>
    </message>
    <message>
        <source>No. Seri Aki</source>
        <translation>Battery serial</translation>
    </message>
    <message>
        <source>Pindai atau ketik</source>
        <translation>Scan or type</translation>
    </message>
    <message>
        <source>Teknisi</source>
        <translation>Technician</translation>
    </message>
    <message>
        <source>No. Pekerjaan</source>
        <translation>Job number</translation>
    </message>
    <message>
        <source>Posisi Aki</source>
        <translation>Battery</translation>
    </message>
    <message>
        <source>Tidak disebut</source>
        <translation>Not stated</translation>
    </message>
    <message>
        <source>Di kendaraan</source>
        <translation>In the vehicle</translation>
    </message>
    <message>
        <source>Di luar kendaraan</source>
        <translation>Out of the vehicle</translation>
    </message>
    <message>
        <source>Batalkan</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Lanjut</source>
        <translation>Continue</translation>
    </message>
</context>
<context>
    <name>velmora::LinkController</name>
    <message>
        <source>Mencetak ke %1...</source>
        <translation>Printing to %1...</translation>
    </message>
</context>
<context>
    <name>velmora::LostLinkPanel</name>
    <message>
        <source>Menyambung ulang ke %1... (percobaan %2)</source>
        <translation>Reconnecting to %1... (attempt %2)</translation>
    </message>
    <message>
        <source>Menyambung ulang ke %1...</source>
        <translation>Reconnecting to %1...</translation>
    </message>
    <message>
        <source>Menyambungkan ulang ke %1...</source>
        <translation>Reconnecting to %1...</translation>
    </message>
    <message>
        <source>%1 tidak dapat disambungkan lagi. Periksa charger, lalu coba lagi.</source>
        <translation>%1 could not be reconnected. Check the charger, then try again.</translation>
    </message>
    <message>
        <source>%1 tidak lagi mengirim data. Angka di layar adalah bacaan terakhir.</source>
        <translation>%1 stopped sending data. The figures shown are the last readings.</translation>
    </message>
    <message>
        <source>Koneksi terputus</source>
        <translation>Connection lost</translation>
    </message>
    <message>
        <source>Sambungkan ulang</source>
        <translation>Reconnect</translation>
    </message>
    <message>
        <source>Berhenti</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>Bluetooth mati. Nyalakan lagi; %1 dicoba terus (percobaan %2).</source>
        <translation>Bluetooth is off. Turn it on; still trying %1 (attempt %2).</translation>
    </message>
    <message>
        <source>Bluetooth mati. Nyalakan, lalu tekan Sambungkan ulang.</source>
        <translation>Bluetooth is off. Turn it on, then press Reconnect.</translation>
    </message>
    <message>
        <source>%1 tidak lagi dipasangkan. Pasangkan lagi; dicoba terus (percobaan %2).</source>
        <translation>%1 is no longer paired. Pair it again; still trying (attempt %2).</translation>
    </message>
    <message>
        <source>%1 tidak lagi dipasangkan. Pasangkan lagi, lalu tekan Sambungkan ulang.</source>
        <translation>%1 is no longer paired. Pair it again, then press Reconnect.</translation>
    </message>
    <message>
        <source>Charger terputus, menyambung ulang (percobaan %1)</source>
        <translation>Charger lost, reconnecting (attempt %1)</translation>
    </message>
    <message>
        <source>Charger terputus, menyambung ulang...</source>
        <translation>Charger lost, reconnecting...</translation>
    </message>
    <message>
        <source>Charger terputus</source>
        <translation>Charger lost</translation>
    </message>
</context>
<context>
    <name>velmora::OptionScreen</name>
    <message>
        <source>FILE DATALOGGER</source>
        <translation>DATALOGGER FILES</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>  Load File</source>
        <translation>  Load File</translation>
    </message>
    <message>
        <source>Data Informasi</source>
        <translation>Dealer Information</translation>
    </message>
    <message>
        <source>Cara Penggunaan Charger</source>
        <translation>How to Use the Charger</translation>
    </message>
    <message>
        <source>Informasi Pengguna</source>
        <translation>User Guide</translation>
    </message>
    <message>
        <source>Riwayat</source>
        <translation>History</translation>
    </message>
    <message>
        <source>Sambungkan otomatis saat mulai</source>
        <translation>Connect automatically at start</translation>
    </message>
    <message>
        <source>Tentang Aplikasi</source>
        <translation>About</translation>
    </message>
    <message>
        <source>Versi %1</source>
        <translation>Version %1</translation>
    </message>
    <message>
        <source>Bahasa akan berganti setelah aplikasi dibuka ulang</source>
        <translation>The language changes when the app is started again</translation>
    </message>
    <message>
        <source>Pemberitahuan dan suara saat selesai</source>
        <translation>Notify with a sound when done</translation>
    </message>
    <message>
        <source>Cetak sertifikat garansi</source>
        <translation>Print warranty certificate</translation>
    </message>
    <message>
        <source>Periksa Sertifikat</source>
        <translation>Check Certificate</translation>
    </message>
</context>
<context>
    <name>velmora::PrintJob</name>
    <message>
        <source>Mencetak...</source>
        <translation>Printing...</translation>
    </message>
</context>
<context>
    <name>velmora::ProfileSelector</name>
    <message>
        <source>Opsi ada yang kosong</source>
        <translation>An option is empty</translation>
    </message>
    <message>
        <source>Sukses Mengirim</source>
        <translation>Sent</translation>
    </message>
    <message>
        <source>Data tidak terkirim: sambungkan charger terlebih dahulu</source>
        <translation>Data not sent: connect the charger first</translation>
    </message>
</context>
<context>
    <name>velmora::QuestionSaveDialog</name>
    <message>
        <source>Data belum tersimpan</source>
        <translation>Data not saved yet</translation>
    </message>
    <message>
        <source>Apakah anda ingin menyimpan ?</source>
        <translation>Do you want to save it?</translation>
    </message>
    <message>
        <source>Tidak</source>
        <translation>No</translation>
    </message>
    <message>
        <source>Iya</source>
        <translation>Yes</translation>
    </message>
</context>
<context>
    <name>velmora::ReceiptPreview</name>
    <message>
        <source>Struk Printer Simulasi</source>
        <translation>Simulated Printer Receipt</translation>
    </message>
    <message>
        <source>Buka Folder</source>
        <translation>Open Folder</translation>
    </message>
    <message>
        <source>Tutup</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Folder tidak dapat dibuka. Buka sendiri: %1</source>
        <translation>The folder cannot be opened. Open it yourself: %1</translation>
    </message>
    <message>
        <source>Disimpan di %1</source>
        <translation>Saved to %1</translation>
    </message>
</context>
<context>
    <name>velmora::ReceiptSender</name>
    <message>
        <source>Pengiriman ke printer gagal</source>
        <translation>Sending to the printer failed</translation>
    </message>
    <message>
        <source>Printer tidak dapat dihubungi: %1</source>
        <translation>The printer cannot be reached: %1</translation>
    </message>
</context>
<context>
    <name>velmora::SaveDialog</name>
    <message>
        <source>Nama File :</source>
        <translation>File name:</translation>
    </message>
    <message>
        <source>Batalkan</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Simpan</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Ketik di sini</source>
        <translation>Type here</translation>
    </message>
</context>
<context>
    <name>velmora::SessionListModel</name>
    <message>
        <source>Waktu</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>Jenis</source>
        <translation>Kind</translation>
    </message>
    <message>
        <source>Merek</source>
        <translation>Brand</translation>
    </message>
    <message>
        <source>Tipe</source>
        <translation>Type</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>Durasi</source>
        <translation>Duration</translation>
    </message>
    <message>
        <source>Akhir</source>
        <translation>End</translation>
    </message>
    <message>
        <source>Rak</source>
        <translation>Bay</translation>
    </message>
</context>
<context>
    <name>velmora::SessionPage</name>
    <message>
        <source>Kembali ke daftar</source>
        <translation>Back to the list</translation>
    </message>
    <message>
        <source>Grafik Tegangan</source>
        <translation>Voltage Chart</translation>
    </message>
    <message>
        <source>Grafik Arus</source>
        <translation>Current Chart</translation>
    </message>
    <message>
        <source>Hapus</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>Ekspor CSV</source>
        <translation>Export CSV</translation>
    </message>
    <message>
        <source>Ekspor PDF</source>
        <translation>Export PDF</translation>
    </message>
    <message>
        <source>Cetak</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>Akhir: %1</source>
        <translation>End: %1</translation>
    </message>
    <message numerus="yes">
        <source>Terputus %n kali (%1)</source>
        <translation>
            <numerusform>Link lost once (%1)</numerusform>
            <numerusform>Link lost %n times (%1)</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n titik</source>
        <translation>
            <numerusform>%n point</numerusform>
            <numerusform>%n points</numerusform>
        </translation>
    </message>
    <message>
        <source>Sebelum Pengisian</source>
        <translation>Before Charging</translation>
    </message>
    <message>
        <source>Sesudah Pengisian</source>
        <translation>After Charging</translation>
    </message>
    <message>
        <source>Hasil Tes</source>
        <translation>Test Result</translation>
    </message>
</context>
<context>
    <name>velmora::TVLForm</name>
    <message>
        <source>Data tidak terkirim: sambungkan charger terlebih dahulu</source>
        <translation>Data not sent: connect the charger first</translation>
    </message>
    <message>
        <source>Data terkirim ke charger</source>
        <translation>Data sent to the charger</translation>
    </message>
    <message>
        <source>Pilih data yang akan diatur</source>
        <translation>Choose the data to set</translation>
    </message>
    <message>
        <source>Data informasi terkirim</source>
        <translation>Dealer information sent</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
</context>
<context>
    <name>velmora::TambahDialog</name>
    <message>
        <source>Tambah Data</source>
        <translation>Add Data</translation>
    </message>
    <message>
        <source>Opsi Ke</source>
        <translation>Option No.</translation>
    </message>
    <message>
        <source>Jenis</source>
        <translation>Variety</translation>
    </message>
    <message>
        <source>Kapasitas</source>
        <translation>Capacity</translation>
    </message>
    <message>
        <source>Arus CC</source>
        <translation>CC Current</translation>
    </message>
    <message>
        <source>Batalkan</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Tambahkan</source>
        <translation>Add</translation>
    </message>
</context>
<context>
    <name>velmora::TopBar</name>
    <message>
        <source>DASHBOARD</source>
        <translation>DASHBOARD</translation>
    </message>
    <message>
        <source>DIAGNOSTIC</source>
        <translation>DIAGNOSTIC</translation>
    </message>
    <message>
        <source>CHART</source>
        <translation>CHART</translation>
    </message>
    <message>
        <source>OPTION</source>
        <translation>OPTION</translation>
    </message>
    <message>
        <source>RAK</source>
        <translation>BENCH</translation>
    </message>
</context>
<context>
    <name>velmora::UserGuide</name>
    <message>
        <source>Selesai</source>
        <translation>Done</translation>
    </message>
    <message>
        <source>Lewati</source>
        <translation>Skip</translation>
    </message>
    <message>
        <source>Halaman sebelumnya</source>
        <translation>Previous page</translation>
    </message>
    <message>
        <source>Halaman berikutnya</source>
        <translation>Next page</translation>
    </message>
</context>
<context>
    <name>velmora::VirtualPrinter</name>
    <message>
        <source>Folder %1 tidak dapat dibuat</source>
        <translation>Folder %1 cannot be created</translation>
    </message>
    <message>
        <source>Struk tidak dapat disimpan di %1</source>
        <translation>The receipt cannot be saved in %1</translation>
    </message>
</context>
<context>
    <name>velmora::WarrantyCertificates</name>
    <message>
        <source>Struk dicetak tanpa sertifikat: %1</source>
        <translation>Receipt printed without its certificate: %1</translation>
    </message>
    <message>
        <source>Struk dicetak tanpa sertifikat: kunci dealer tidak bisa dipakai</source>
        <translation>Receipt printed without its certificate: the dealer key cannot be used</translation>
    </message>
    <message>
        <source>Struk dicetak tanpa sertifikat: data terlalu panjang untuk kode QR</source>
        <translation>Receipt printed without its certificate: too much data for a QR code</translation>
    </message>
</context>
<context>
    <name>velmora::WindowControllers</name>
    <message>
        <source>Koneksi charger terputus</source>
        <translation>Charger connection lost</translation>
    </message>
    <message>
        <source>%1 tidak kembali. Sambungkan ulang dari dashboard.</source>
        <translation>%1 did not come back. Reconnect from the dashboard.</translation>
    </message>
    <message>
        <source>Pengisian selesai</source>
        <translation>Charge finished</translation>
    </message>
    <message>
        <source>Hasil setelah pengisian sudah masuk</source>
        <translation>The after-charge result is in</translation>
    </message>
    <message>
        <source>Hasil setelah pengisian: %1</source>
        <translation>After charging: %1</translation>
    </message>
    <message>
        <source>Hasil tes aki</source>
        <translation>Battery test result</translation>
    </message>
    <message>
        <source>%1, CCA %2</source>
        <translation>%1, CCA %2</translation>
    </message>
    <message>
        <source>Sertifikat tercetak, tetapi tidak tersimpan di riwayat</source>
        <translation>Certificate printed, but not kept in the history</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
</context>
<context>
    <name>velmora::ui::MessageDialog</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
</context>
</TS>
