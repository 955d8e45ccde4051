// Builds the getting-started guide shipped beside Quor_Log: renders an HTML page into a PDF with the
// Qt the desktop program already links, at build time and without a display.
//   MakeGuide input.html output.pdf
#include <cstdio>
#include <cstdlib>

#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextBlock>
#include <QTextDocument>
#include <QUrl>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "Usage: MakeGuide input.html output.pdf\n");
        return 2;
    }
    // The build may run where there is no display: fonts and layout need only the offscreen platform.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    const QString input = QString::fromLocal8Bit(argv[1]);
    const QString output = QString::fromLocal8Bit(argv[2]);
    QFile source(input);
    if (!source.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "MakeGuide: cannot read %s: %s\n", argv[1], qPrintable(source.errorString()));
        return 1;
    }
    QTextDocument document;
    // Pictures named in the page are found relative to it, also by the copy that printing lays out.
    document.setMetaInformation(QTextDocument::DocumentUrl,
                                QUrl::fromLocalFile(QFileInfo(input).absoluteFilePath()).toString());
    document.setHtml(QString::fromUtf8(source.readAll()));
    // A picture that cannot be found would leave the guide without it (or blank): stop the build.
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            if (!format.isImageFormat())
                continue;
            const QString name = format.toImageFormat().name();
            if (document.resource(QTextDocument::ImageResource, QUrl(name)).isNull()) {
                std::fprintf(stderr, "MakeGuide: %s names a picture that cannot be read: %s\n", argv[1],
                             qPrintable(name));
                return 1;
            }
        }
    }

    // Written whole or not at all: a build that stops half-way leaves no broken guide behind.
    QSaveFile target(output);
    if (!target.open(QIODevice::WriteOnly)) {
        std::fprintf(stderr, "MakeGuide: cannot write %s: %s\n", argv[2], qPrintable(target.errorString()));
        return 1;
    }
    {
        QPdfWriter pdf(&target);
        pdf.setTitle(document.metaInformation(QTextDocument::DocumentTitle));
        pdf.setCreator(QStringLiteral("QUOR_Log"));
        pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
        pdf.setResolution(300);
        document.print(&pdf);
    }
    if (!target.commit()) {
        std::fprintf(stderr, "MakeGuide: cannot write %s: %s\n", argv[2], qPrintable(target.errorString()));
        return 1;
    }
    return 0;
}
