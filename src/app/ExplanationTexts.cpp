#include "app/ExplanationTexts.h"

#include <cstdlib>

#include "calendar/MonthGrid.h"
#include "calendar/Sexagenary.h"

namespace tessaly {
namespace {

QString Two(int v) { return QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0')); }

QString HourBranch(int hour) {  // the branch of an hour of the day: "申"
    int h = hour % 2 == 1 ? hour + 1 : hour;
    if (h == 24) h = 0;
    return QString::fromUtf8(kBranchNames[std::size_t((h / 2 + 1) % 12)].data(),
                             qsizetype(kBranchNames[std::size_t((h / 2 + 1) % 12)].size()));
}

}  // namespace

int PillarOf(const FourPillars& p, int i) {
    const int v[4] = {p.year, p.month, p.day, p.hour};
    return v[i];
}

QString ExplanationTexts::Distance(long long seconds) {
    seconds = std::llabs(seconds);
    const long long d = seconds / 86400, h = seconds % 86400 / 3600, m = seconds % 3600 / 60, s = seconds % 60;
    QString t;
    if (d) t += tr("%1 天 ").arg(d);
    if (h) t += tr("%1 小时 ").arg(h);
    if (m || d || h) t += tr("%1 分 ").arg(m);
    return t + tr("%1 秒").arg(s);
}

QString ExplanationTexts::Amount(long long seconds) {
    return (seconds < 0 ? QStringLiteral("-") : QStringLiteral("+")) + Distance(seconds);
}

QString ExplanationTexts::Minute(const CivilTime& t) {
    return QStringLiteral("%1-%2-%3 %4:%5")
        .arg(ShownYear(t.year))
        .arg(Two(t.month), Two(t.day), Two(t.hour), Two(t.minute));
}

QString ExplanationTexts::Moment(const CivilSecond& t) { return Minute(t.time) + QLatin1Char(':') + Two(t.second); }

QString ExplanationTexts::BoundaryName(const BoundaryMark& m, bool keepsDay) {
    switch (m.kind) {
        case BoundaryKind::kSolarTerm: {
            const std::string_view n = kSolarTermNames[std::size_t(m.term)];
            return QString::fromUtf8(n.data(), qsizetype(n.size()));
        }
        case BoundaryKind::kYearRange: return tr("可排盘年份的边界");
        case BoundaryKind::kChartEdge: break;
    }
    const int h = m.chartEdge.hour;
    if (h == 0) return keepsDay ? tr("零时（换日）") : tr("零时（生日日期）");
    const QString name = tr("%1时与%2时之交").arg(HourBranch(h - 1), HourBranch(h));
    return h == 23 && !keepsDay ? tr("%1（换日）").arg(name) : name;
}

QString ExplanationTexts::PillarKind(int i) {
    switch (i) {
        case 0: return tr("年柱");
        case 1: return tr("月柱");
        case 2: return tr("日柱");
        default: return tr("时柱");
    }
}

QString ExplanationTexts::Pillar(int pillar) { return QString::fromStdString(PillarName(pillar)); }

QString ExplanationTexts::TimeBasisName(TimeBasis b) {
    switch (b) {
        case TimeBasis::kTrueSolarTime: return tr("真太阳时");
        case TimeBasis::kLocalMeanTime: return tr("地方时");
        default: return tr("北京时间");
    }
}

QString ExplanationTexts::PersonName(int personNo) { return personNo == 0 ? tr("甲命") : tr("乙命"); }

}  // namespace tessaly
