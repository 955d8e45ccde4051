#include "printsetup/pagesetup/LogoImage.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageReader>

#include "core/model/FileLimits.h"
#include "platform/Paths.h"

QImage ReadLogoImage(const std::wstring& fileName, std::wstring* reason)
{
    if (fileName.empty())
        return QImage();
    const std::filesystem::path file = ORBAX_Platform::path_from_wide(fileName);
    std::string bytes;
    int code = 0;
    const ORBAX_Platform::FileRead outcome = ORBAX_Platform::read_regular_file(file, MaxLogoFileBytes, bytes, code);
    if (outcome != ORBAX_Platform::FileRead::Read) {
        if (reason)
            *reason = ORBAX_Logging::FileReadFailureText(outcome, code, MaxLogoFileBytes);
        return QImage();
    }
    // The name's extension tells the reader the format, as it would reading the file by its name.
    const QByteArray suffix = QByteArray::fromStdString(file.extension().string()).mid(1).toLower();
    QByteArray data = QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size()));
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, suffix);
    reader.setAutoTransform(true);
    QImage image = reader.read();
    if (image.isNull() && reason)
        *reason = reader.errorString().toStdWString();
    return image;
}
