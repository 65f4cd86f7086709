#include "AlarmList.h"
#include "Errors.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {
TAlarmRec at(double t, const char* text = "x") {
    return NewAlarm(akOneOff, t, text);
}
} // namespace

TEST(AlarmList, PositionsOutsideTheListAreRefused) {
    AlarmList list;
    EXPECT_THROW(list.At(0), EListError);
    list.Append(at(1));
    list.Append(at(2));
    for (int bad : {-1, 2, 100}) {
        EXPECT_THROW(list.At(bad), EListError) << bad;
        EXPECT_THROW(list.Replace(bad, at(9)), EListError) << bad;
        EXPECT_THROW(list.Remove(bad), EListError) << bad;
    }
    EXPECT_EQ(list.Count(), 2);
    EXPECT_THROW(list.Append(AlarmList::Ptr()), EListError);
}

TEST(AlarmList, RemoveMovesLaterRecordsUpAndWeakReferencesExpire) {
    AlarmList list;
    for (const char* t : {"a", "b", "c"})
        list.Append(at(1, t));
    std::weak_ptr<TAlarmRec> b = list.At(1);
    std::weak_ptr<TAlarmRec> c = list.At(2);
    list.Remove(1);
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(list[1].Text, "c");
    EXPECT_TRUE(b.expired());
    EXPECT_EQ(list.IndexOf(c.lock().get()), 1);

    // Replacing makes a new record: the editor of the old one writes into nothing.
    list.Replace(1, at(5, "d"));
    EXPECT_TRUE(c.expired());
    EXPECT_EQ(list[1].Text, "d");

    std::weak_ptr<TAlarmRec> a = list.At(0);
    list.Clear();
    EXPECT_TRUE(a.expired());
    EXPECT_TRUE(list.IsEmpty());
}

TEST(AlarmList, SortsEarliestFirstAndCopesWithNaN) {
    AlarmList list;
    list.Append(at(300.5, "late"));
    list.Append(at(std::nan(""), "nan1"));
    list.Append(at(-5, "before 1900"));
    list.Append(at(std::nan(""), "nan2"));
    list.Append(at(300.25, "early"));
    list.Append(at(-HUGE_VAL, "minus infinity"));
    list.Sort();
    QStringList order;
    for (const auto& r : list)
        order << QString::fromLatin1(r->Text);
    EXPECT_EQ(order.mid(0, 4), QStringList({"minus infinity", "before 1900", "early", "late"}));
    EXPECT_TRUE(std::isnan(list[4].AlarmTime));
    EXPECT_TRUE(std::isnan(list[5].AlarmTime));

    TAlarmRec a = at(1.5), b = at(1.5), c = at(2.0), n = at(std::nan(""));
    EXPECT_EQ(CompareAlarmTime(a, b), 0);
    EXPECT_EQ(CompareAlarmTime(a, c), -1);
    EXPECT_EQ(CompareAlarmTime(c, a), 1);
    EXPECT_EQ(CompareAlarmTime(n, c), 1);
    EXPECT_EQ(CompareAlarmTime(n, n), 0);
}

TEST(AlarmList, ManyNaNTimesSortWithoutHarm) {
    // An invalid ordering would let std::sort run past the end; this order is total.
    AlarmList list;
    for (int i = 0; i < 2000; ++i)
        list.Append(at(i % 3 == 0 ? std::nan("") : static_cast<double>((i * 7919) % 1000)));
    list.Sort();
    for (int i = 1; i < list.Count(); ++i)
        EXPECT_LE(CompareAlarmTime(list[i - 1], list[i]), 0) << i;
}

TEST(AlarmList, AtExitDailyWeeklyAndMonthlyForgetTheyRang) {
    AlarmList list;
    for (std::int32_t kind : {0, 1, 2, 3, 4, 7}) { // one-off to annual, and an unknown kind
        TAlarmRec rec = NewAlarm(kind, 46000.5, "x");
        rec.Rung = true;
        list.Append(rec);
    }
    const AlarmList out = ListForExit(list);
    std::vector<bool> rung;
    for (const auto& r : out)
        rung.push_back(r->Rung);
    EXPECT_EQ(rung, (std::vector<bool>{true, false, false, false, true, true}));
    EXPECT_TRUE(list[1].Rung) << "the running list is not touched";
}
