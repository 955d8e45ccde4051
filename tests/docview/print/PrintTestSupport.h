#pragma once
// Printing to PDF files and reading them back with the poppler tools: the page count and size
// (pdfinfo), the text as laid out (pdftotext -layout) and the pixels of a page (pdftoppm), at
// positions in millimetres from the paper's top-left corner.
#include <cmath>
#include <filesystem>
#include <regex>
#include <string>
#include <vector>

#include <QImage>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>

#include "tests/docview/view/ViewTestSupport.h"
#include "tests/support/TestSupport.h"

namespace PrintTest {

// The unprintable edge the tests give the paper, so that paper and painter origins differ.
constexpr double kEdge = 5.0;

inline void UsePdf(QPrinter& printer, const std::filesystem::path& file, QPageSize::PageSizeId size = QPageSize::A4,
                   QPageLayout::Orientation orientation = QPageLayout::Portrait)
{
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(file.string()));
    printer.setPageLayout(
        QPageLayout(QPageSize(size), orientation, QMarginsF(kEdge, kEdge, kEdge, kEdge), QPageLayout::Millimeter));
}

struct PdfInfo {
    int pages = 0;
    double widthPoints = 0;
    double heightPoints = 0;
};

inline PdfInfo ReadInfo(const std::filesystem::path& pdf)
{
    PdfInfo info;
    const QuorTest::RunResult run = QuorTest::run_program("/usr/bin/pdfinfo", {pdf.string()});
    std::smatch m;
    if (std::regex_search(run.out, m, std::regex(R"(Pages:\s+(\d+))")))
        info.pages = std::stoi(m[1]);
    if (std::regex_search(run.out, m, std::regex(R"(Page size:\s+([\d.]+) x ([\d.]+) pts)"))) {
        info.widthPoints = std::stod(m[1]);
        info.heightPoints = std::stod(m[2]);
    }
    return info;
}

// The text of one page (from 1), or of every page when `page` is 0, laid out in columns.
inline std::string ReadText(const std::filesystem::path& pdf, int page = 0)
{
    std::vector<std::string> args{"-layout"};
    if (page > 0)
        args.insert(args.end(), {"-f", std::to_string(page), "-l", std::to_string(page)});
    args.insert(args.end(), {pdf.string(), "-"});
    return QuorTest::run_program("/usr/bin/pdftotext", args).out;
}

// The words of one page with their boxes in millimetres from the paper's top-left corner.
struct Word {
    std::string text;
    QRectF box;
};
inline std::vector<Word> ReadWords(const std::filesystem::path& pdf, int page)
{
    const std::string out = QuorTest::run_program("/usr/bin/pdftotext", {"-bbox", "-f", std::to_string(page), "-l",
                                                                         std::to_string(page), pdf.string(), "-"})
                                .out;
    std::vector<Word> words;
    const std::regex word(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re");
    constexpr double mm = 25.4 / 72;
    for (auto it = std::sregex_iterator(out.begin(), out.end(), word); it != std::sregex_iterator(); ++it) {
        const std::smatch& m = *it;
        words.push_back({m[5], QRectF(QPointF(std::stod(m[1]) * mm, std::stod(m[2]) * mm),
                                      QPointF(std::stod(m[3]) * mm, std::stod(m[4]) * mm))});
    }
    return words;
}

inline bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }
inline bool IsNumber(const std::string& text) { return text.find_first_not_of("0123456789.") == std::string::npos; }

// A page rendered at `dpi`.
struct PageImage {
    QImage image;
    double dpi = 0;

    // The pixel at a point of the paper (millimetres from its top-left corner).
    QRgb At(double xMm, double yMm) const
    {
        const int x = static_cast<int>(std::floor(xMm * dpi / 25.4));
        const int y = static_cast<int>(std::floor(yMm * dpi / 25.4));
        return image.rect().contains(x, y) ? image.pixel(x, y) : 0u;
    }
    // Whether a pixel within `radius` pixels of the point passes the test.
    template <class Test>
    bool Near(double xMm, double yMm, Test test, int radius = 2) const
    {
        const int x = static_cast<int>(std::floor(xMm * dpi / 25.4));
        const int y = static_cast<int>(std::floor(yMm * dpi / 25.4));
        for (int dy = -radius; dy <= radius; ++dy)
            for (int dx = -radius; dx <= radius; ++dx)
                if (image.rect().contains(x + dx, y + dy) && test(image.pixel(x + dx, y + dy)))
                    return true;
        return false;
    }
};

inline PageImage RenderPage(const std::filesystem::path& pdf, int page, double dpi = 100)
{
    const std::filesystem::path prefix = pdf.parent_path() / ("page" + std::to_string(page));
    QuorTest::run_program("/usr/bin/pdftoppm",
                          {"-r", std::to_string(static_cast<int>(dpi)), "-f", std::to_string(page), "-l",
                           std::to_string(page), "-singlefile", "-png", pdf.string(), prefix.string()});
    PageImage result;
    result.image = QImage(QString::fromStdString(prefix.string() + ".png")).convertToFormat(QImage::Format_ARGB32);
    result.dpi = dpi;
    return result;
}

inline bool IsBlack(QRgb c) { return qAlpha(c) > 0 && qGray(c) < 90; }
inline bool IsDark(QRgb c) { return qAlpha(c) > 0 && qGray(c) < 200; }
inline bool IsWhite(QRgb c) { return qRed(c) > 235 && qGreen(c) > 235 && qBlue(c) > 235; }
inline bool IsRed(QRgb c) { return qRed(c) > 180 && qGreen(c) < 100 && qBlue(c) < 100; }

} // namespace PrintTest
