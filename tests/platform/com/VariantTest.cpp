#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "ErrorCapture.h"
#include "platform/com/AutomationObject.h"
#include "platform/com/Object.h"

namespace com {
namespace {

using testing::raisedBy;

const Variant kArray{Array{Variant(std::int32_t{1})}};

std::string traceOf(const Variant& value) {
    return value.type() == VariantType::vbArray ? "array" : value.toString();
}

TEST(VariantToString, GermanTextOfEachType) {
    const std::pair<Variant, std::string> rows[] = {
        {Variant(), ""},
        {Variant(True), "Wahr"},
        {Variant(False), "Falsch"},
        {Variant(std::int16_t{-7}), "-7"},
        {Variant(1.5), "1,5"},
        {Variant(-0.25), "-0,25"},
        {Variant(3.0), "3"},
        {Variant(100000.0), "100000"},
        {Variant(123456789012345.0), "123456789012345"},
        {Variant(1e15), "1E+15"},
        {Variant(1.5e300), "1,5E+300"},
        {Variant(0.0001), "0,0001"},
        {Variant(-2.5e-7), "-2,5E-07"},
        {Variant(0.1 + 0.2), "0,30000000000000004"},
    };
    for (const auto& [value, text] : rows) EXPECT_EQ(value.toString(), text);

    const auto raised = raisedBy([] { (void)kArray.toString(); });
    ASSERT_TRUE(raised);
    EXPECT_EQ(raised->number, 13);
    EXPECT_EQ(raised->description, "Typen unverträglich");
}

enum class Target { Long, Integer, Double, Boolean };

double convert(const Variant& value, Target target) {
    switch (target) {
        case Target::Long: return value.toLong();
        case Target::Integer: return value.toInteger();
        case Target::Double: return value.toDouble();
        case Target::Boolean: return toInteger(value.toBoolean());
    }
    return 0;
}

TEST(VariantToNumber, ConversionsAndTheirFailures) {
    struct Row {
        Variant value;
        Target target;
        double expected;
        std::int32_t error;  // 0: converts to `expected`
    };
    const Row rows[] = {
        {Variant(), Target::Long, 0, 0},
        {Variant(True), Target::Long, -1, 0},
        // Halves round to the even neighbour.
        {Variant(2.5), Target::Long, 2, 0},
        {Variant(3.5), Target::Long, 4, 0},
        {Variant(-2.5), Target::Long, -2, 0},
        {Variant("2,5"), Target::Long, 2, 0},
        {Variant("  -12  "), Target::Long, -12, 0},
        {Variant("+7"), Target::Long, 7, 0},
        {Variant("3e2"), Target::Long, 300, 0},
        {Variant(2147483647.4), Target::Long, 2147483647, 0},
        {Variant(2147483647.5), Target::Long, 0, 6},
        {Variant("9999999999"), Target::Long, 0, 6},
        {Variant(std::nan("")), Target::Long, 0, 6},
        {Variant(""), Target::Long, 0, 13},
        {Variant("12abc"), Target::Long, 0, 13},
        // "." is the German thousands separator, not a decimal point.
        {Variant("1.5"), Target::Long, 0, 13},
        {Variant(","), Target::Long, 0, 13},
        {kArray, Target::Long, 0, 13},
        {Variant(-32768.5), Target::Integer, -32768, 0},
        {Variant(std::int32_t{32768}), Target::Integer, 0, 6},
        {Variant(32767.5), Target::Integer, 0, 6},
        {Variant("40000"), Target::Integer, 0, 6},
        {Variant("1,25"), Target::Double, 1.25, 0},
        {Variant("1e-400"), Target::Double, 0, 0},
        {Variant("1e400"), Target::Double, 0, 6},
        {Variant("wahr"), Target::Boolean, -1, 0},
        {Variant(" FALSE "), Target::Boolean, 0, 0},
        {Variant("0,5"), Target::Boolean, -1, 0},
        {Variant(2.0), Target::Boolean, -1, 0},
        {Variant(), Target::Boolean, 0, 0},
        {Variant("ja"), Target::Boolean, 0, 13},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(traceOf(row.value) + " as target " + std::to_string(static_cast<int>(row.target)));
        if (row.error == 0) {
            EXPECT_EQ(convert(row.value, row.target), row.expected);
        } else {
            const auto raised = raisedBy([&] { (void)convert(row.value, row.target); });
            ASSERT_TRUE(raised);
            EXPECT_EQ(raised->number, row.error);
        }
    }
    EXPECT_EQ(raisedBy([] { (void)Variant(40000.0).toInteger(); }).value().description, "Überlauf");
}

TEST(VariantToObject, OnlyObjectsConvert) {
    EXPECT_FALSE(Variant(Ref<IDispatch>()).toObject());
    for (const Variant& value : {Variant(), Variant("x"), kArray}) {
        const auto raised = raisedBy([&] { (void)value.toObject(); });
        ASSERT_TRUE(raised);
        EXPECT_EQ(raised->number, 424);
        EXPECT_EQ(raised->description, "Objekt erforderlich");
    }
}

TEST(VariantEquality, SameTypeAndValue) {
    EXPECT_EQ(Variant("a"), Variant(std::string("a")));
    EXPECT_NE(Variant("a"), Variant("A"));
    EXPECT_NE(Variant(std::int16_t{1}), Variant(std::int32_t{1}));
    EXPECT_NE(Variant(), Variant(""));
    EXPECT_EQ(Variant(Array{Variant(1.5), Variant("x")}), Variant(Array{Variant(1.5), Variant("x")}));
}

// An object whose default member is a fixed value, to convert through.
class Labelled : public AutomationObject {
public:
    explicit Labelled(Variant label) : label_(std::move(label)) {
        property("", [this](const Arguments&) { return label_; });
    }

private:
    Variant label_;
};

class Plain : public AutomationObject {};

TEST(VariantObject, ConvertsThroughDefaultMemberAndComparesByIdentity) {
    const auto a = AutomationObject::create<Labelled>(Variant("42"));
    const auto b = AutomationObject::create<Labelled>(Variant("42"));
    const Variant value{Ref<IDispatch>(a.get())};
    EXPECT_EQ(value.toString(), "42");
    EXPECT_EQ(value.toLong(), 42);
    EXPECT_EQ(value, Variant(Ref<IDispatch>(a.get())));
    EXPECT_NE(value, Variant(Ref<IDispatch>(b.get())));
}

TEST(VariantObject, WithoutDefaultMemberRaises438AndNothingRaises91) {
    const auto plain = AutomationObject::create<Plain>();
    const auto missing = raisedBy([&] { (void)Variant(Ref<IDispatch>(plain.get())).toString(); });
    ASSERT_TRUE(missing);
    EXPECT_EQ(missing->number, 438);
    const auto nothing = raisedBy([] { (void)Variant(Ref<IDispatch>()).toLong(); });
    ASSERT_TRUE(nothing);
    EXPECT_EQ(nothing->number, 91);
}

}  // namespace
}  // namespace com
