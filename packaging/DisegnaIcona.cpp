// Renders the program's icon (rounded rectangles and circles: all velmora.svg uses) into PNGs of the menu's sizes,
// or into one Windows icon holding every size.
// disegna-icona ICONA.svg CARTELLA 16 32 48 ...  ->  CARTELLA/NxN/velmora.png
// disegna-icona ICONA.svg FILE.ico 16 32 48 ...  ->  FILE.ico
#include <QBuffer>
#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPen>
#include <QXmlStreamReader>

#include <QtEndian>

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

// A Windows icon file: a directory of its images, then each image as a PNG (Windows Vista onwards
// reads PNG images inside an icon).
bool scriviIco(const QString& file, const std::vector<QImage>& immagini)
{
    QByteArray intestazione, dati;
    auto u16 = [](QByteArray& b, quint16 v) { v = qToLittleEndian(v); b.append(reinterpret_cast<const char*>(&v), 2); };
    auto u32 = [](QByteArray& b, quint32 v) { v = qToLittleEndian(v); b.append(reinterpret_cast<const char*>(&v), 4); };
    u16(intestazione, 0);   // reserved
    u16(intestazione, 1);   // an icon, not a cursor
    u16(intestazione, static_cast<quint16>(immagini.size()));
    const quint32 inizioDati = 6 + 16 * static_cast<quint32>(immagini.size());
    for (const QImage& immagine : immagini) {
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        if (!immagine.save(&buffer, "PNG"))
            return false;
        const int lato = immagine.width();
        intestazione.append(static_cast<char>(lato >= 256 ? 0 : lato));   // 0 stands for 256
        intestazione.append(static_cast<char>(lato >= 256 ? 0 : lato));
        intestazione.append('\0');   // no palette
        intestazione.append('\0');
        u16(intestazione, 1);        // colour planes
        u16(intestazione, 32);       // bits per pixel
        u32(intestazione, static_cast<quint32>(png.size()));
        u32(intestazione, inizioDati + static_cast<quint32>(dati.size()));
        dati.append(png);
    }
    QFile uscita(file);
    return uscita.open(QIODevice::WriteOnly | QIODevice::Truncate) && uscita.write(intestazione + dati) == intestazione.size() + dati.size();
}

}

int main(int argc, char** argv)
{
    if (argc < 4) {
        std::fprintf(stderr, "Uso: disegna-icona ICONA.svg CARTELLA DIMENSIONE...\n");
        return 2;
    }
    QFile svg(QString::fromLocal8Bit(argv[1]));
    if (!svg.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "disegna-icona: impossibile leggere %s\n", argv[1]);
        return 1;
    }
    const QByteArray testo = svg.readAll();
    const QString destinazione = QString::fromLocal8Bit(argv[2]);
    std::vector<QImage> immagini;
    for (int a = 3; a < argc; ++a) {
        const int lato = std::atoi(argv[a]);
        QImage immagine(lato, lato, QImage::Format_ARGB32);
        immagine.fill(Qt::transparent);
        QPainter p(&immagine);
        p.setRenderHint(QPainter::Antialiasing);
        QXmlStreamReader xml(testo);
        double scala = 1;
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement)
                continue;
            const auto at = xml.attributes();
            auto n = [&at](const char* nome) { return at.value(QLatin1String(nome)).toDouble(); };
            if (xml.name() == QLatin1String("svg")) {
                scala = lato / at.value(QLatin1String("width")).toDouble();
                p.scale(scala, scala);
                continue;
            }
            p.setBrush(QColor(at.value(QLatin1String("fill")).toString()));
            if (at.hasAttribute(QLatin1String("stroke")))
                p.setPen(QPen(QColor(at.value(QLatin1String("stroke")).toString()), n("stroke-width")));
            else
                p.setPen(Qt::NoPen);
            if (xml.name() == QLatin1String("rect"))
                p.drawRoundedRect(QRectF(n("x"), n("y"), n("width"), n("height")), n("rx"), n("ry"));
            else if (xml.name() == QLatin1String("circle"))
                p.drawEllipse(QPointF(n("cx"), n("cy")), n("r"), n("r"));
        }
        p.end();
        if (xml.hasError()) {
            std::fprintf(stderr, "disegna-icona: %s non valido: %s\n", argv[1], qPrintable(xml.errorString()));
            return 1;
        }
        if (destinazione.endsWith(QLatin1String(".ico"))) {
            immagini.push_back(immagine);
            continue;
        }
        const QString cartella = QDir(destinazione).filePath(QStringLiteral("%1x%1").arg(lato));
        if (!QDir().mkpath(cartella) || !immagine.save(QDir(cartella).filePath(QStringLiteral("velmora.png")))) {
            std::fprintf(stderr, "disegna-icona: impossibile scrivere in %s\n", qPrintable(cartella));
            return 1;
        }
    }
    if (!immagini.empty() && !scriviIco(destinazione, immagini)) {
        std::fprintf(stderr, "disegna-icona: impossibile scrivere %s\n", qPrintable(destinazione));
        return 1;
    }
    return 0;
}
