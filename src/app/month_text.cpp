// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "month_text.h"

#include "record_history.h"
#include "texts.h"

#include <algorithm>

namespace velmora {

using namespace Qt::Literals::StringLiterals;

namespace {

using namespace std::chrono;

constexpr int kMostMonths = 12;
constexpr int kCell = 4; // columns a day takes: two digits, its mark, a blank

// The terminal's SGR parameters for a look: its colour, bold where a ring marks it.
QString Colour(const KindLook& look)
{
    const LookColour* known = ColourOf(look.colour);
    const QString colour = known ? QString::fromLatin1(known->sgr) : u"0"_s;
    return look.pattern == "ringed" ? colour + u";1"_s : colour;
}

QString UiWords(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// How many columns a text takes on a terminal: a Chinese character two.
int Width(const QString& text)
{
    int width = 0;
    for (const QChar c : text)
        width += c.unicode() >= 0x1100 ? 2 : 1;
    return width;
}

// A row without the blanks it ends in.
QString Row(QString row)
{
    while (row.endsWith(u' '))
        row.chop(1);
    return row + u'\n';
}

QString Month(const MonthPicture& picture, bool colour)
{
    const QString caption = QString::fromStdString(picture.caption);
    const int margin = std::max(0, (7 * kCell - 1 - Width(caption)) / 2);
    QString text = QString(margin, u' ') + caption + u'\n';
    QString weekdays;
    for (const std::string_view name : picture.weekdays)
        weekdays += QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())) + u"  "_qs;
    text += Row(weekdays);
    QString week = QString(static_cast<qsizetype>(picture.firstWeekday) * kCell, u' ');
    unsigned column = picture.firstWeekday;
    for (const PictureDay& day : picture.days) {
        const KindLook* look = day.Look();
        QString cell =
            QString::number(static_cast<unsigned>(day.date.Ymd().day())).rightJustified(2) +
            QChar::fromLatin1(look ? look->mark : ' ');
        if (colour && (look || day.today))
            cell = u"\x1b["_qs + (look ? Colour(*look) : u"0"_s) +
                   (day.today ? u";4"_qs : QString()) + u'm' + cell + u"\x1b[0m"_qs;
        week += cell + u' ';
        if (++column == 7) {
            text += Row(week);
            week.clear();
            column = 0;
        }
    }
    if (!week.isEmpty())
        text += Row(week);
    return text;
}

} // namespace

QString MonthsText(const PhaseDates& dates, std::optional<sys_days> today, bool colour,
                   std::span<const sys_days> recorded)
{
    year_month first = MonthOf(dates[Slot::PeriodFirst].Days());
    // To the next period's month, or to the last day her record says it may begin on.
    year_month last = MonthOf(dates[Slot::NextPeriod].Days());
    const std::optional<DayRange> likely = NextPeriodRange(recorded);
    if (likely)
        last = std::max(last, MonthOf(likely->last));
    last = std::min(last, first + months{kMostMonths - 1});
    // Her record's months before the cycle, as many as the twelve leave room for.
    if (!recorded.empty())
        first = std::clamp(MonthOf(recorded.front()), last - months{kMostMonths - 1}, first);
    QString text;
    std::vector<MonthPicture> pictures;
    for (year_month month = first; month <= last; month += months{1}) {
        pictures.push_back(PictureOfMonth(dates, month, today, recorded));
        text += Month(pictures.back(), colour) + u'\n';
    }
    // The kinds the months hold; today has no mark of its own.
    QString legend;
    for (const std::size_t row : LegendOf(pictures))
        if (const KindLook& look = Looks()[row]; look.mark != ' ')
            legend += QChar::fromLatin1(look.mark) + u' ' + UiWords(look.label) + u"  "_qs;
    return text + Row(legend);
}

} // namespace velmora
