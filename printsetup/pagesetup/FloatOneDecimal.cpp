#include "printsetup/pagesetup/FloatOneDecimal.h"

#include <cmath>
#include <limits>

#include <QLineEdit>

#include "core/catalogue/Messages.h"
#include "platform/Numbers.h"
#include "widgets/dialogs/DataExchange.h"

void DDX_FloatOneDecimal(bool save, QLineEdit* edit, float& value)
{
    if (!save) {
        edit->setText(QString::fromStdString(ORBAX_Platform::format_fixed(value, 1)));
        return;
    }
    double read = value;
    if (ORBAX_Platform::read_stream_number(edit->text().toStdWString(), read) &&
        std::fabs(read) <= std::numeric_limits<float>::max())
        value = static_cast<float>(read);
}

void DDX_Float(bool save, QLineEdit* edit, float& value)
{
    if (!save) {
        edit->setText(QString::fromStdString(ORBAX_Platform::format_stream(value)));
        return;
    }
    double read = 0;
    if (!Ddx::ParseNumber(edit->text().toStdWString(), read) || !std::isfinite(read) ||
        std::fabs(read) > std::numeric_limits<float>::max())
        throw Ddx::Refusal(edit, ORBAX_Utilities::get_message_wide(Ddx::NumberRefusal));
    value = static_cast<float>(read);
}
