#!/usr/bin/env python3
"""Writes the English copies (*_en.svg) of the artwork with words in it: the intro guide's
pages and the charger guide. Run again after changing the Indonesian artwork:
    scripts/english-artwork.py app/resources/img
Each text of the artwork is replaced whole, by the table below."""
import os
import re
import sys

IMG = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
    os.path.dirname(os.path.abspath(__file__)), '..', 'app', 'resources', 'img')
T = {
# intro1
'Selamat datang di Velmora Tester': 'Welcome to Velmora Tester',
'Aplikasi pendamping charger &amp; tester aki motor 12 V untuk bengkel dan dealer aki.': 'The companion app of the 12 V motorcycle battery charger &amp; tester for workshops and dealers.',
'Pantau pengisian langsung': 'Watch the charge live',
'Tes CCA &amp; hambatan dalam': 'Test CCA &amp; resistance',
'Cetak struk &amp; simpan data': 'Print receipts &amp; save data',
'Mulai': 'Start',
'Lewati': 'Skip',
# intro2
'Pilih Perangkat Charger': 'Choose a Charger',
'Sambungkan': 'Connect',
'Charger terpasang': 'Charger connected',
'Komputer  •  Bluetooth  •  Charger': 'Computer  •  Bluetooth  •  Charger',
'Sambungkan charger': 'Connect the charger',
'Hubungkan PC dengan charger lewat Bluetooth.': 'Link the PC and the charger over Bluetooth.',
'Pasangkan (pair) charger di pengaturan': 'Pair the charger in the computer’s',
'Bluetooth komputer.': 'Bluetooth settings.',
'Tekan tombol charger (ikon Bluetooth)': 'Press the charger button (Bluetooth icon)',
'di sisi kanan layar DASHBOARD.': 'on the right of the DASHBOARD screen.',
'Pilih perangkat charger dari daftar.': 'Choose the charger from the list.',
'Tekan “Sambungkan”.': 'Press “Connect”.',
# intro3
'DATA REFERENSI': 'REFERENCE DATA',
'Merk': 'Brand',
'Jenis': 'Variety',
'Tipe': 'Type',
'Kapasitas': 'Capacity',
'Mode Pengisian': 'Charging Mode',
'Kirim Data': 'Send Data',
'Pilih aki &amp; kirim profil': 'Send a battery profile',
'Profil pengisian dikirim ke charger.': 'The charging profile goes to the charger.',
'Buka layar DIAGNOSTIC.': 'Open the DIAGNOSTIC screen.',
'Pilih Merk, Jenis dan Tipe aki;': 'Choose the Brand, Variety and Type;',
'kapasitas tampil otomatis.': 'the capacity is shown by itself.',
'Pilih Normal Mode atau Fast Mode.': 'Choose Normal Mode or Fast Mode.',
'Tekan “Kirim Data” untuk mengirim': 'Press “Send Data” to send the',
'profil ke charger.': 'profile to the charger.',
# intro4
'tegangan saat beban uji': 'voltage under the test load',
'Baca hasil tes': 'Read the test results',
'Hasil tampil di layar DIAGNOSTIC': 'The results show on the DIAGNOSTIC screen',
'dan angka CCA / iR di DASHBOARD.': 'and the CCA / iR figures on the DASHBOARD.',
'CCA: kemampuan aki memberi arus start': 'CCA: the battery’s starting current',
'(makin tinggi makin baik).': '(higher is better).',
'iR: hambatan dalam aki dalam mOhm': 'iR: internal resistance in mOhm',
'(makin kecil makin baik).': '(lower is better).',
'Voltage: tegangan aki tanpa beban.': 'Voltage: battery voltage without load.',
'Status: kesimpulan kondisi aki sebelum': 'Status: the battery’s condition before',
'dan sesudah pengisian.': 'and after charging.',
# intro5
'Struk 58 mm dan file log untuk pelanggan.': '58 mm receipts and log files for customers.',
'Tekan tombol printer di DASHBOARD, pilih': 'Press the printer button on the DASHBOARD,',
'printer 58 mm, lalu “Print Charge”.': 'choose the 58 mm printer, then “Print Charge”.',
'Tekan tombol simpan, isi nama file,': 'Press the save button, type a file name,',
'lalu tekan “Simpan”.': 'then press “Save”.',
'Buka OPTION untuk memuat atau': 'Open OPTION to load or',
'menghapus file log.': 'delete log files.',
'Siap! Tekan Selesai untuk mulai': 'Ready! Press Done to start',
'Selesai': 'Done',
# guide_charger
'Panduan Charger &amp; Aplikasi': 'Charger &amp; App Guide',
'Charger &amp; tester aki motor 12 V  •  langkah demi langkah': '12 V motorcycle battery charger &amp; tester  •  step by step',
'Bluetooth komputer (cukup sekali).': 'Bluetooth settings (once is enough).',
'Di DASHBOARD tekan tombol charger (ikon': 'On the DASHBOARD press the charger button',
'Bluetooth), pilih perangkat, tekan “Sambungkan”.': '(Bluetooth icon), choose it, press “Connect”.',
'Buka DIAGNOSTIC, pilih Merk, Jenis dan Tipe;': 'Open DIAGNOSTIC, choose Brand, Variety, Type;',
'kapasitas aki tampil otomatis.': 'the battery capacity is shown by itself.',
'Pilih Normal Mode atau Fast Mode,': 'Choose Normal Mode or Fast Mode,',
'lalu tekan “Kirim Data”.': 'then press “Send Data”.',
'Pantau pengisian': 'Watch the charge',
'Jarum kiri: tegangan (0–16 V); jarum kanan: arus': 'Left needle: voltage (0–16 V); right needle: current',
'(0–20 A); lingkaran tengah: persentase isi.': '(0–20 A); middle circle: percent charged.',
'Enam tahap: 1 Diagnostic, 2 Constant Current,': 'Six stages: 1 Diagnostic, 2 Constant Current,',
'tukar posisi klem': 'swap the clamps',
'CCA: kemampuan arus start (makin tinggi makin baik).': 'CCA: starting current (higher is better).',
'iR: hambatan dalam, mOhm (makin kecil makin baik).': 'iR: internal resistance, mOhm (lower is better).',
'Voltage: tegangan tanpa beban; V Diagnostic:': 'Voltage: voltage without load; V Diagnostic:',
'tegangan saat beban uji. Status: kondisi aki.': 'voltage under test load. Status: condition.',
'Tekan tombol printer, pilih printer 58 mm, lalu': 'Press the printer button, choose the 58 mm printer,',
'“Print Charge” (atau “Print Test”).': 'then “Print Charge” (or “Print Test”).',
'Tekan tombol simpan, isi nama file, “Simpan”.': 'Press the save button, type a file name, “Save”.',
'File: Documents\\Velmora Tester\\Log\\nama.log': 'File: Documents\\Velmora Tester\\Log\\name.log',
'nama.log': 'name.log',
'Klem merah ke kutub (+), klem hitam ke kutub (−). Gunakan di tempat berventilasi.': 'Red clamp to (+), black clamp to (−). Use in a ventilated place.',
}
LETTER = re.compile(r'<text x="([0-9.]+)"([^>]*)>([A-Z0-9/])</text>')

def guide_heading(s):
    """The letter-spaced "PANDUAN n / 5" becomes "GUIDE n / 5", its number moved up."""
    def line(m):
        texts = LETTER.findall(m.group(0))
        if ''.join(t[2] for t in texts[:7]) != 'PANDUAN':
            return m.group(0)
        xs = [float(t[0]) for t in texts]
        shift = xs[6] - xs[4]  # two letters fewer
        out = [f'<text x="{xs[i]}"{texts[i][1]}>{c}</text>' for i, c in enumerate('GUIDE')]
        out += [f'<text x="{round(float(x) - shift, 2)}"{a}>{c}</text>' for x, a, c in texts[7:]]
        return ''.join(out)
    return re.sub(r'(?:<text x="[0-9.]+"[^>]*>[A-Z0-9/]</text>){10}', line, s)

for name in ['intro1', 'intro2', 'intro3', 'intro4', 'intro5', 'guide_charger']:
    s = open(os.path.join(IMG, name + '.svg'), encoding='utf-8').read()
    used = 0
    for src, en in T.items():
        key = '>' + src + '<'
        n = s.count(key)
        if n:
            s = s.replace(key, '>' + en + '<'); used += n
    s = guide_heading(s)
    open(os.path.join(IMG, name + '_en.svg'), 'w', encoding='utf-8').write(s)
    print(name, used)
