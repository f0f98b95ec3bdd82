// ExplanationTexts — the words the window uses for an explained birth time
// (chart/BirthExplanation.h): boundary names, distances, amounts, moments
// and pillars, shared by the boundary notice and the "出生时刻说明" dialog.
#pragma once

#include <QCoreApplication>
#include <QString>

#include "chart/BirthExplanation.h"

namespace tessaly {

class ExplanationTexts {
    Q_DECLARE_TR_FUNCTIONS(ExplanationTexts)
public:
    // "3 分 8 秒", "52 秒", "1 小时 5 分 0 秒", "29 天 17 小时 52 分 30 秒".
    static QString Distance(long long seconds);
    // A step's amount with its sign: "+14 分 3 秒", "-1 小时 0 分 0 秒", "+0 秒".
    static QString Amount(long long seconds);
    // "2024-02-04 16:26:52" (years as users write them).
    static QString Moment(const CivilSecond& t);
    // "2024-02-04 16:27".
    static QString Minute(const CivilTime& t);
    // "立春", "未时与申时之交", "亥时与子时之交（换日）", "零时（换日）".
    static QString BoundaryName(const BoundaryMark& m, bool lateZiHourKeepsDay);
    // "年柱", "月柱", "日柱", "时柱" for 0..3.
    static QString PillarKind(int i);
    // "甲子".
    static QString Pillar(int pillar);
    // "北京时间", "真太阳时", "地方时".
    static QString TimeBasisName(TimeBasis b);
    // "甲命", "乙命".
    static QString PersonName(int personNo);
};

// The pillar i (0 year … 3 hour) of four.
int PillarOf(const FourPillars& p, int i);

}  // namespace tessaly
