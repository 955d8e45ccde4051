#include "docview/view/geometry/FittedText.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>

#include <QFontMetricsF>
#include <QPaintDevice>

#include "docview/view/geometry/ViewSettings.h"

FittedText FitTextParts(const QPaintDevice* device, const QFont& font, const std::vector<TextPart>& parts, double room,
                        double smallestPoints)
{
    QString whole;
    for (const TextPart& part : parts)
        whole += part.text;
    FittedText fitted = FitText(device, font, whole, room, false, smallestPoints);
    if (!fitted.text.isEmpty() || whole.isEmpty())
        return fitted;
    // At the smallest size the parts that may be are shortened, each down to its least: a name in
    // its middle (as `ShortenedText` does), other words at their end, a word at a time.
    const QFont smallest = fitted.font;
    std::vector<int> kept; // how many characters of each part are shown
    for (const TextPart& part : parts)
        kept.push_back(static_cast<int>(part.text.size()));
    auto shownPart = [&](std::size_t i) {
        const QString& text = parts[i].text;
        const int n = kept[i];
        if (n == text.size())
            return text;
        if (parts[i].rank == TextPart::Name)
            return text.left((n + 1) / 2) + QChar(0x2026) + text.right(n / 2);
        QString head = text.left(n);
        while (head.size() > 1 && head.back().isSpace())
            head.chop(1);
        return head + QChar(0x2026);
    };
    for (;;) {
        QString shown;
        for (std::size_t i = 0; i < parts.size(); ++i)
            shown += shownPart(i);
        const double width = TextWidth(device, smallest, shown);
        if (width <= room)
            return {shown, smallest, width};
        std::size_t pick = parts.size();
        for (std::size_t i = 0; i < parts.size(); ++i)
            if (parts[i].rank > 0 && kept[i] > std::max(1, parts[i].least) &&
                (pick == parts.size() || parts[i].rank > parts[pick].rank ||
                 (parts[i].rank == parts[pick].rank && kept[i] > kept[pick])))
                pick = i;
        if (pick == parts.size())
            return {QString(), smallest, 0};
        // Words lose a whole word where they have more than one.
        int& n = kept[pick];
        --n;
        const int space = parts[pick].rank == TextPart::Words ? parts[pick].text.lastIndexOf(QChar(' '), n) : -1;
        if (space > 0)
            n = space;
    }
}

PlacedName PlaceColumnName(const QPaintDevice* device, const QFont& font, const QString& name, const QRectF& column,
                           const QRectF& pane)
{
    const double left = pane.left() + FieldTextGap;
    const double right = pane.right() - FieldTextGap;
    PlacedName placed;
    placed.text = FitText(device, font, name, right - left, true);
    const double width = placed.text.width;
    placed.left = std::clamp(column.center().x() - width / 2, left, std::max(left, right - width));
    return placed;
}

RulerLabelPlace PlaceRulerLabels(const QPaintDevice* device, const QFont& font, const QString& widest, double roomLeft,
                                 double tickLength, double indent, double smallestPoints, const RulerReach* reach)
{
    auto width = [&](const QFont& f) { return TextWidth(device, f, widest); };
    auto roomAt = [&](double right) { return roomLeft + right - FieldTextGap; };
    RulerLabelPlace beside;
    beside.right = -indent;
    if (width(font) > roomAt(beside.right))
        beside.right = std::max(beside.right, -(tickLength + FieldTextGap));
    beside.room = roomAt(beside.right);
    beside.fits = FittingFont(font, beside.room, width, beside.font);
    if (beside.fits || !(smallestPoints > 0))
        return beside;
    // On paper a number standing on its tick may take the ticks' space too: the field's ruler space
    // is then all its own, less the gaps to the field's edge and to the ruler.
    RulerLabelPlace onTicks;
    onTicks.onTicks = true;
    onTicks.right = -LineTextGap;
    onTicks.room = roomAt(onTicks.right);
    const double smallest = SmallestFactor(font, smallestPoints);
    onTicks.fits = FittingFont(font, onTicks.room, width, onTicks.font, smallest);
    if (onTicks.fits || !reach || !(reach->right - reach->left > onTicks.room))
        return onTicks;
    // Over the neighbour's margin they take as little of it as they can: the smallest size.
    RulerLabelPlace reached;
    reached.onTicks = reach->onTicks;
    reached.reached = true;
    reached.right = reach->right;
    reached.room = reach->right - reach->left;
    reached.font = ScaledFont(font, smallest);
    reached.fits = width(reached.font) <= reached.room;
    return reached;
}

QString RulerLabels::Text(const ViewGeometry::DepthTick& tick) const
{
    return QString::fromStdWString(FixedText(tick.depth, step.decimals));
}

bool RulerLabels::Shown(const QPaintDevice* device, const ViewGeometry::DepthTick& tick) const
{
    return tick.labelled && TextWidth(device, font, Text(tick)) <= room;
}

QRectF RulerLabels::Box(const QPaintDevice* device, const ViewGeometry::DepthTick& tick) const
{
    const QFont& shown = Font(tick);
    const double width = TextWidth(device, shown, Text(tick));
    const double lineHeight = QFontMetricsF(shown, device).lineSpacing() * 25.4 / device->logicalDpiY();
    if (tick.y == endY)
        return QRectF(right - width, endBottom - lineHeight, width, lineHeight);
    const double top = onTicks ? tick.y - lineHeight : reached ? tick.y - lineHeight / 2 : tick.y - offset.y();
    return QRectF(right - width, top, width, lineHeight);
}

int RulerLabels::Alignment(const ViewGeometry::DepthTick& tick) const
{
    return Qt::AlignRight | (onTicks || tick.y == endY ? Qt::AlignBottom : reached ? Qt::AlignVCenter : Qt::AlignTop);
}

QPointF RulerLabels::Anchor(const ViewGeometry::DepthTick& tick) const
{
    if (tick.y == endY)
        return QPointF(right, endBottom);
    return QPointF(right, onTicks || reached ? tick.y : tick.y - offset.y());
}

const QFont& RulerLabels::Font(const ViewGeometry::DepthTick& tick) const { return tick.y == endY ? endFont : font; }

RulerLabels LayOutRuler(const QPaintDevice* device, double x, double length, double topDepth, double origin,
                        double scale, double tickLength, const QPointF& labelOffset, const QFont& labelFont,
                        double labelLeft, double smallestPoints, const RulerReach* reach)
{
    RulerLabels labels;
    labels.offset = labelOffset;
    labels.height = QFontMetricsF(labelFont, device).lineSpacing() * 25.4 / device->logicalDpiY();
    labels.ticks = ViewGeometry::DepthTicks(length, topDepth, origin, scale, labels.step, labels.height);
    QString widest;
    for (const ViewGeometry::DepthTick& tick : labels.ticks)
        if (tick.labelled && labels.Text(tick).size() > widest.size())
            widest = labels.Text(tick);
    static_cast<RulerLabelPlace&>(labels) =
        PlaceRulerLabels(device, labelFont, widest, x - labelLeft, tickLength, labelOffset.x(), smallestPoints, reach);
    if (!(smallestPoints > 0) || !device)
        return labels;
    // The last shown number, and the one above it: sought from the end, as measuring a number costs
    // more than the rest of the layout.
    const double end = (topDepth - origin) / scale + length;
    const double below = reach && !labels.reached ? std::max(0.0, reach->below) : 0.0;
    const ViewGeometry::DepthTick* last = nullptr;
    QRectF box, above;
    for (auto tick = labels.ticks.rbegin(); tick != labels.ticks.rend(); ++tick)
        if (labels.Shown(device, *tick)) {
            if (last) {
                above = labels.Box(device, *tick);
                break;
            }
            last = &*tick;
            box = labels.Box(device, *tick);
        }
    if (!last || box.bottom() <= end + below)
        return labels;
    // As large as it may be while it reads as its own tick's: its middle nearer that tick than halfway
    // to the next, clear of the number above. Centred on its tick where the room below lets it.
    const double spacing = labels.step.halfStep / scale;
    const double largest = labelFont.pointSizeF() > 0 ? labels.font.pointSizeF() / labelFont.pointSizeF() : 1.0;
    const double smallest = std::min(largest, SmallestFactor(labelFont, smallestPoints));
    for (double factor = largest;; factor = std::max(smallest, factor * 0.9)) {
        labels.endFont = ScaledFont(labelFont, factor);
        const double height = QFontMetricsF(labels.endFont, device).lineSpacing() * 25.4 / device->logicalDpiY();
        labels.endBottom = std::max(last->y, std::min(last->y + height / 2, end + below));
        const bool own = last->y - (labels.endBottom - height / 2) <= 0.4 * spacing;
        const bool clear = above.isNull() || labels.endBottom - height >= above.bottom() + LineTextGap;
        if ((own && clear) || factor <= smallest)
            break;
    }
    labels.endY = last->y;
    return labels;
}

double ClearRow(double y, double half, double left, double right, const std::vector<QRectF>& boxes,
                const std::vector<std::pair<double, double>>& taken, double top, double bottom, double maxShift)
{
    // A row clears what it touches: rows next to a box or a taken row, nearest first.
    constexpr double touch = 1e-6;
    std::vector<double> rows{y};
    for (const QRectF& box : boxes)
        if (box.left() < right && box.right() > left) {
            rows.push_back(box.top() - half - touch);
            rows.push_back(box.bottom() + half + touch);
        }
    for (const auto& [from, to] : taken) {
        rows.push_back(from - half - touch);
        rows.push_back(to + half + touch);
    }
    std::sort(rows.begin(), rows.end(), [y](double a, double b) { return std::fabs(a - y) < std::fabs(b - y); });
    for (double row : rows) {
        if (std::fabs(row - y) > maxShift || row - half < top || row + half > bottom)
            continue;
        auto meets = [&](double from, double to) { return from < row + half && to > row - half; };
        const bool clear =
            std::none_of(boxes.begin(), boxes.end(),
                         [&](const QRectF& box) {
                             return box.left() < right && box.right() > left && meets(box.top(), box.bottom());
                         }) &&
            std::none_of(taken.begin(), taken.end(), [&](const auto& t) { return meets(t.first, t.second); });
        if (clear)
            return row;
    }
    return std::numeric_limits<double>::quiet_NaN();
}

namespace {

bool IsBracket(const ViewGeometry::UnitLabel& label)
{
    return label.kind == ViewGeometry::UnitLabel::SampleBracket || label.kind == ViewGeometry::UnitLabel::PlyBracket;
}

// Half the height of a text label where the placing put it, at its size.
double PlacedHalf(const ViewGeometry::UnitLabel& label, double regularHalf, double italicHalf)
{
    return (label.kind == ViewGeometry::UnitLabel::PlyText ? italicHalf : regularHalf) * label.size;
}

// Whether a bracket's tail was placed at the top or bottom edge of the text label `text`: the bracket
// then holds that text, and goes where it goes.
bool HoldsText(const ViewGeometry::UnitLabel& bracket, const ViewGeometry::UnitLabel& text, double half)
{
    const double near = 1e-3 * half;
    return std::abs(bracket.labelY - (text.labelY - half)) <= near ||
           std::abs(bracket.labelY - (text.labelY + half)) <= near;
}

} // namespace

std::vector<LabelText> FitLabelTexts(const QPaintDevice* device, const std::vector<ViewGeometry::UnitLabel>& labels,
                                     const std::vector<bool>& wanted, const QFont& regular, const QFont& italic,
                                     double regularHalf, double italicHalf, double textX, double textRight,
                                     double smallestPoints, const LabelRoom* room)
{
    using ViewGeometry::UnitLabel;
    const double ownRight = textRight - FieldTextGap;
    std::vector<LabelText> texts(labels.size());
    // The text in its row up to `right`; where that leaves no room for the whole text, over the next
    // field when `mayReach`.
    auto fit = [&](std::size_t i, double right, bool mayReach) {
        const UnitLabel& label = labels[i];
        const QFont& font = label.kind == UnitLabel::PlyText ? italic : regular;
        const QFont smallest = ScaledFont(font, SmallestFactor(font, smallestPoints));
        const QString text = QString::fromStdWString(label.text);
        const bool mayShorten = label.kind != UnitLabel::SampleText;
        auto halfOf = [&](const FittedText& fitted) {
            const double half = label.kind == UnitLabel::PlyText ? italicHalf : regularHalf;
            return font.pointSizeF() > 0 ? half * fitted.font.pointSizeF() / font.pointSizeF() : half;
        };
        LabelText& placed = texts[i];
        placed.fitted = placed.beyond
                            ? FitTextAtSize(device, smallest, text, right - textX, mayShorten)
                            : FitText(device, font, text, right - textX, mayShorten, smallestPoints, label.size);
        placed.half = halfOf(placed.fitted);
        if (mayReach && room && placed.fitted.text != text) {
            const FittedText wide = FitTextAtSize(device, smallest, text, room->right - textX, mayShorten);
            const double half = halfOf(wide);
            if (wide.text.size() > placed.fitted.text.size() && placed.y - half >= room->top &&
                placed.y + half <= room->bottom)
                placed = {wide, placed.y, half, true};
        }
        // Shortened to fewer than its first and last few characters, a name no longer tells itself from
        // another ("N…5"): it is left out instead.
        if (placed.fitted.text != text && placed.fitted.text.size() < 2 * ShortenedNameKeeps + 1)
            placed.fitted.text.clear();
    };
    for (std::size_t i = 0; i < labels.size(); ++i)
        if (labels[i].IsText() && wanted[i] && !labels[i].leftOut) {
            texts[i].y = labels[i].labelY;
            fit(i, ownRight, true);
        }
    if (!room || room->keepClear.empty())
        return texts;

    // The right edge a text may reach in its row, short of the next ruler's numbers there.
    auto rowRight = [&](const LabelText& text) {
        double right = text.beyond ? room->right : ownRight;
        for (const QRectF& box : room->keepClear)
            if (box.top() < text.y + text.half && box.bottom() > text.y - text.half)
                right = std::min(right, box.left() - PrintTextsApart);
        return right;
    };
    // The rows the other texts and the brackets' tails take, for a text that moves; the tails at its
    // own edges move with it.
    auto taken = [&](std::size_t except) {
        const double half = PlacedHalf(labels[except], regularHalf, italicHalf);
        std::vector<std::pair<double, double>> rows;
        for (std::size_t k = 0; k < labels.size(); ++k)
            if (k != except && !texts[k].fitted.text.isEmpty())
                rows.emplace_back(texts[k].y - texts[k].half, texts[k].y + texts[k].half);
            else if (IsBracket(labels[k]) && !HoldsText(labels[k], labels[except], half))
                rows.emplace_back(labels[k].labelY - 0.1, labels[k].labelY + 0.1);
        return rows;
    };
    for (std::size_t i = 0; i < labels.size(); ++i) {
        LabelText& text = texts[i];
        if (text.fitted.text.isEmpty())
            continue;
        const double right = rowRight(text);
        if (textX + text.fitted.width <= right)
            continue;
        const double y =
            ClearRow(text.y, text.half, textX, textX + text.fitted.width + PrintTextsApart, room->keepClear, taken(i),
                     room->top, std::min(room->bottom, std::max(text.y, room->end) + text.half), 2 * regularHalf);
        if (std::isfinite(y))
            text.y = y;
        else
            fit(i, right, false);
    }
    return texts;
}

std::vector<double> FollowedTails(const std::vector<ViewGeometry::UnitLabel>& labels,
                                  const std::vector<LabelText>& texts, double regularHalf, double italicHalf)
{
    std::vector<double> tails(labels.size());
    for (std::size_t k = 0; k < labels.size(); ++k)
        tails[k] = labels[k].labelY;
    for (std::size_t j = 0; j < labels.size() && j < texts.size(); ++j) {
        const LabelText& moved = texts[j];
        if (!labels[j].IsText() || moved.fitted.text.isEmpty() || moved.y == labels[j].labelY)
            continue;
        const double half = PlacedHalf(labels[j], regularHalf, italicHalf);
        const double shift = moved.y - labels[j].labelY;
        for (std::size_t k = 0; k < labels.size(); ++k) {
            if (!IsBracket(labels[k]))
                continue;
            if (HoldsText(labels[k], labels[j], half))
                tails[k] = labels[k].labelY + shift;
            else if (labels[k].labelY < labels[j].labelY)
                tails[k] = std::min(tails[k], moved.y - moved.half);
            else
                tails[k] = std::max(tails[k], moved.y + moved.half);
        }
    }
    return tails;
}

TraceLabelRow LayOutTraceLabels(const QPaintDevice* device, const QFont& font, const QRectF& plot, const QRectF& field,
                                double lower, double upper, int decimals, const QString& mnemonic, double rowLeft,
                                double smallestPoints)
{
    const double left = std::max(field.left(), rowLeft) + FieldTextGap;
    const double right = field.right() - FieldTextGap;
    const double room = right - left;
    auto number = [](double value, int places) {
        return std::isfinite(value) ? QString::fromStdWString(FixedText(value, places)) : QString();
    };

    // Places three texts of one font: the values on the plot's edges, or at the field's edges when
    // the mnemonic needs the room between them; the mnemonic as near the plot's middle as it can be.
    auto place = [&](const QFont& f, const QString& lo, const QString& up, FittedText name) {
        TraceLabelRow row;
        row.lower = {lo, f, TextWidth(device, f, lo)};
        row.upper = {up, f, TextWidth(device, f, up)};
        row.name = std::move(name);
        const double space = TextWidth(device, f, QStringLiteral(" "));
        const double wl = row.lower.width;
        const double wu = row.upper.width;
        const double wm = row.name.width;
        double lowerLeft = std::clamp(plot.left() - wl / 2, left, std::max(left, right - wl));
        double upperRight = std::clamp(plot.right() + wu / 2, std::min(right, left + wu), right);
        // The room the mnemonic has between the values, and whether everything stands apart.
        double a = 0, b = 0;
        auto fits = [&] {
            a = wl > 0 ? lowerLeft + wl + space : left;
            b = wu > 0 ? upperRight - wu - space : right;
            if (wm > 0)
                return b - a >= wm;
            return wl == 0 || wu == 0 || lowerLeft + wl + space <= upperRight - wu;
        };
        if (!fits()) {
            lowerLeft = left;
            upperRight = right;
            fits();
        }
        row.lowerX = lowerLeft + wl / 2;
        row.upperX = upperRight - wu / 2;
        row.nameX = b - a >= wm ? std::clamp(plot.center().x(), a + wm / 2, b - wm / 2) : (a + b) / 2;
        return row;
    };
    auto needed = [&](const QFont& f, const QString& lo, const QString& up, const QString& name) {
        const double space = TextWidth(device, f, QStringLiteral(" "));
        const int texts = !lo.isEmpty() + !up.isEmpty() + !name.isEmpty();
        return TextWidth(device, f, lo) + TextWidth(device, f, up) + TextWidth(device, f, name) +
               space * std::max(0, texts - 1);
    };
    const double smallestFactor = SmallestFactor(font, smallestPoints);
    const QFont smallest = ScaledFont(font, smallestFactor);
    // The largest size at which the values and `name` fit the row, if any.
    auto fitRow = [&](const QString& lo, const QString& up, const QString& name, QFont& f) {
        return FittingFont(
            font, room, [&](const QFont& candidate) { return needed(candidate, lo, up, name); }, f, smallestFactor);
    };

    // Smaller first, then the values without decimals that do not change them (the numbers carry the
    // plot's scale: 3.4 is never shown as 3).
    int places = std::max(0, decimals);
    auto same = [](const QString& a, const QString& b) { return a.isEmpty() || a.toDouble() == b.toDouble(); };
    for (;; --places) {
        const QString lo = number(lower, places);
        const QString up = number(upper, places);
        QFont f;
        if (fitRow(lo, up, mnemonic, f))
            return place(f, lo, up, {mnemonic, f, TextWidth(device, f, mnemonic)});
        if (places == 0 || !same(lo, number(lower, places - 1)) || !same(up, number(upper, places - 1)))
            break;
    }
    // Then the mnemonic shortened into what the values leave, then left out; with no room even for
    // the values, the mnemonic takes the row alone.
    const QString lo = number(lower, places);
    const QString up = number(upper, places);
    if (!mnemonic.isEmpty()) {
        const double space = TextWidth(device, smallest, QStringLiteral(" "));
        const double values = TextWidth(device, smallest, lo) + TextWidth(device, smallest, up) +
                              space * ((!lo.isEmpty()) + (!up.isEmpty()));
        FittedText name = ShortenedText(device, smallest, mnemonic, room - values);
        if (!name.text.isEmpty())
            return place(smallest, lo, up, std::move(name));
    }
    QFont f;
    if ((!lo.isEmpty() || !up.isEmpty()) && fitRow(lo, up, QString(), f))
        return place(f, lo, up, {QString(), f, 0});
    return place(smallest, QString(), QString(), ShortenedText(device, smallest, mnemonic, room));
}
