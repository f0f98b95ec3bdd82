#include "app/BoundaryNotice.h"

#include <algorithm>

#include "app/ExplanationTexts.h"

namespace tessaly {
namespace {

constexpr std::string_view kSection = "boundary";

}  // namespace

BoundaryNoticeSettings ReadBoundaryNoticeSettings(const IniFile& ini) {
    BoundaryNoticeSettings s;
    s.enabled = ini.ReadBool(kSection, "notice", s.enabled);
    s.minutes = int(std::clamp(ini.ReadInteger(kSection, "minutes", s.minutes), 1L, long(kMaxNoticeMinutes)));
    return s;
}

void WriteBoundaryNoticeSettings(const BoundaryNoticeSettings& s, IniFile& ini) {
    ini.WriteBool(kSection, "notice", s.enabled);
    ini.WriteInteger(kSection, "minutes", s.minutes);
}

BoundaryNotice::BoundaryNotice(QWidget* parent) : QLabel(parent) {
    setObjectName(QStringLiteral("LblBoundaryNotice"));
    setAccessibleName(tr("出生时刻临近交界的提示"));
    setWordWrap(true);
    setTextFormat(Qt::PlainText);
    setTextInteractionFlags(Qt::TextSelectableByMouse);
    setFrameShape(QFrame::StyledPanel);
    setMargin(4);
    hide();
}

QString BoundaryNotice::TextOf(const BirthExplanation& e, int personNo, int minutes) {
    QStringList lines;
    const bool civil = e.path.civilClock;
    for (const PillarBoundary* b : BoundariesWithin(e, minutes)) {
        QStringList pillars;
        for (int i = 0; i < 4; ++i) {
            if (b->changes[i]) {
                pillars << tr("%1为%2").arg(ExplanationTexts::PillarKind(i),
                                            ExplanationTexts::Pillar(PillarOf(b->OtherSide(), i)));
            }
        }
        QString moment = ExplanationTexts::Moment(CivilSecondOf(b->mark.moment));
        if (civil) moment = tr("%1（北京时间）").arg(moment);
        const QString when = b->birthAfter ? tr("若早于 %1").arg(moment) : tr("若晚于 %1").arg(moment);
        lines << tr("%1出生时刻距%2仅 %3：%4，%5")
                     .arg(ExplanationTexts::PersonName(personNo),
                          ExplanationTexts::BoundaryName(b->mark, e.path.lateZiHourKeepsDay),
                          ExplanationTexts::Distance(b->distanceSeconds), when, pillars.join(tr("、")));
    }
    return lines.join(QLatin1Char('\n'));
}

QString BoundaryNotice::TextOf(const std::array<PersonRecord, 2>& persons, const ChartOptions& options,
                               const BoundaryNoticeSettings& settings) {
    if (!settings.enabled) return {};
    QStringList parts;
    LunarCalendar calendar;
    for (int n = 0; n < 2; ++n) {
        PersonRecord r = persons[std::size_t(n)];
        r.personNo = std::uint8_t(n);
        const BirthExplanation e = ExplainBirth(r, options, 0, calendar);
        if (!e.status.ok()) continue;
        const QString t = TextOf(e, n, settings.minutes);
        if (!t.isEmpty()) parts << t;
    }
    return parts.join(QLatin1Char('\n'));
}

void BoundaryNotice::ShowFor(const std::array<PersonRecord, 2>& persons, const ChartOptions& options,
                             const BoundaryNoticeSettings& settings) {
    const QString t = TextOf(persons, options, settings);
    setText(t);
    setVisible(!t.isEmpty());
}

void BoundaryNotice::Clear() {
    clear();
    hide();
}

}  // namespace tessaly
