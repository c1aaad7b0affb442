// Renders the program's icon (rounded rectangles and circles: all velmora.svg uses) into PNGs of the menu's sizes.
// disegna-icona ICONA.svg CARTELLA 16 32 48 ...  ->  CARTELLA/NxN/velmora.png
#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPen>
#include <QXmlStreamReader>

#include <cstdio>
#include <cstdlib>

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
        const QString cartella = QDir(QString::fromLocal8Bit(argv[2])).filePath(QStringLiteral("%1x%1").arg(lato));
        if (!QDir().mkpath(cartella) || !immagine.save(QDir(cartella).filePath(QStringLiteral("velmora.png")))) {
            std::fprintf(stderr, "disegna-icona: impossibile scrivere in %s\n", qPrintable(cartella));
            return 1;
        }
    }
    return 0;
}
