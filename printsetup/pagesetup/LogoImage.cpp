#include "printsetup/pagesetup/LogoImage.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageReader>

#include "platform/Paths.h"

QImage ReadLogoImage(const std::wstring& fileName)
{
    if (fileName.empty())
        return QImage();
    const std::filesystem::path file = ORBAX_Platform::path_from_wide(fileName);
    std::string bytes;
    int code = 0;
    if (ORBAX_Platform::read_regular_file(file, MaxLogoFileBytes, bytes, code) != ORBAX_Platform::FileRead::Read)
        return QImage();
    // The name's extension tells the reader the format, as it would reading the file by its name.
    const QByteArray suffix = QByteArray::fromStdString(file.extension().string()).mid(1).toLower();
    QByteArray data = QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size()));
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, suffix);
    reader.setAutoTransform(true);
    return reader.read();
}
