#include <gtest/gtest.h>

#include <map>
#include <stdexcept>

#include "ErrorCapture.h"
#include "platform/com/AutomationObject.h"
#include "platform/com/Object.h"

namespace com {
namespace {

using testing::raisedBy;

Variant longValue(std::int32_t value) {
    return Variant(value);
}

// Counts its live instances, so that a test sees every reference released.
class Probe : public AutomationObject {
public:
    explicit Probe(int& alive) : alive_(alive) {
        ++alive_;
        const auto getName = [this](const Arguments&) { return Variant(name_); };
        property("", getName);
        property("Name", getName, [this](const Arguments&, const Variant& v) { name_ = v.toString(); });
        // Cells(row, column), an indexed property.
        property(
            "Cells", [this](const Arguments& index) { return cells_[key(index)]; },
            [this](const Arguments& index, const Variant& v) { cells_[key(index)] = v; });
        property("Child", [this](const Arguments&) {
            if (!child_) child_ = create<Probe>(alive_);
            return Variant(Ref<IDispatch>(child_.get()));
        });
        property("Nobody", [](const Arguments&) { return Variant(Ref<IDispatch>()); });
        property("Count", [](const Arguments&) { return longValue(3); });
        method("Save", [this](const Arguments&) { return longValue(++saves_); });
        method("Divide", [](const Arguments& args) {
            const Variant* dividend = args.find(0, "Dividend");
            const Variant* divisor = args.find(1, "Divisor");
            if (!dividend || !divisor) throw Error::fromNumber(errors::ArgumentNotOptional);
            return Variant(dividend->toDouble() / divisor->toDouble());
        });
        method("FailHost", [](const Arguments&) -> Variant { throw Error(4198, "Befehl misslungen"); });
        method("FailStd", [](const Arguments&) -> Variant { throw std::runtime_error("Datenträger voll"); });
        method("FailOther", [](const Arguments&) -> Variant { throw 7; });
    }

protected:
    ~Probe() override { --alive_; }

private:
    static std::pair<std::int32_t, std::int32_t> key(const Arguments& index) {
        return {index.positional.at(0).toLong(), index.positional.at(1).toLong()};
    }

    int& alive_;
    std::string name_ = "Probe";
    std::map<std::pair<std::int32_t, std::int32_t>, Variant> cells_;
    Ref<Probe> child_;
    std::int32_t saves_ = 0;
};

class ObjectTest : public ::testing::Test {
protected:
    void TearDown() override {
        object_ = Object();
        probe_ = {};
        EXPECT_EQ(alive_, 0) << "an object was not released";
    }

    int alive_ = 0;
    Ref<Probe> probe_ = AutomationObject::create<Probe>(alive_);
    Object object_{Ref<IDispatch>(probe_.get())};
};

void expectRaised(const std::function<void()>& call, std::int32_t number, const std::string& text) {
    const auto raised = raisedBy(call);
    ASSERT_TRUE(raised);
    EXPECT_EQ(raised->number, number);
    EXPECT_EQ(raised->description, text);
}

TEST(ObjectNothing, EveryCallRaises91) {
    const Object nothing = Object::from(Variant(Ref<IDispatch>()));
    const std::string text = "Objektvariable oder With-Blockvariable nicht festgelegt";
    expectRaised([&] { (void)nothing.get("Name"); }, 91, text);
    expectRaised([&] { nothing.put("Name", Variant("x")); }, 91, text);
    expectRaised([&] { (void)nothing.call("Save"); }, 91, text);
    expectRaised([] { (void)Object::from(Variant("Word")); }, 424, "Objekt erforderlich");
}

TEST_F(ObjectTest, DefaultMemberAndNamesWithoutRegardToCase) {
    object_.put("NAME", Variant("Microsoft Word"));
    EXPECT_EQ(object_.value().toString(), "Microsoft Word");
    EXPECT_EQ(object_.get("name").toString(), "Microsoft Word");
}

TEST_F(ObjectTest, UnknownMemberOrMissingSetterRaises438) {
    const std::string text = "Objekt unterstützt diese Eigenschaft oder Methode nicht";
    expectRaised([&] { (void)object_.get("Colour"); }, 438, text);
    expectRaised([&] { (void)object_.call("Colour"); }, 438, text);
    expectRaised([&] { object_.put("Count", longValue(4)); }, 438, text);
    expectRaised([&] { object_.put("Save", Variant(True)); }, 438, text);
}

TEST_F(ObjectTest, GetReachesMethodsAndCallReachesGetters) {
    EXPECT_EQ(object_.get("Save").toLong(), 1);
    EXPECT_EQ(object_.call("Save").toLong(), 2);
    EXPECT_EQ(object_.call("Count").toLong(), 3);
}

TEST_F(ObjectTest, PositionalThenNamedArguments) {
    const std::pair<Arguments, double> rows[] = {
        {{{longValue(8), longValue(2)}}, 4.0},
        {{{}, {{"DIVISOR", longValue(2)}, {"dividend", longValue(8)}}}, 4.0},
        // The position wins over a name for the same parameter.
        {{{longValue(9)}, {{"Dividend", longValue(1)}, {"Divisor", longValue(3)}}}, 3.0},
    };
    for (const auto& [args, quotient] : rows) EXPECT_EQ(object_.call("Divide", args).toDouble(), quotient);
    expectRaised([&] { (void)object_.call("Divide", {{longValue(8)}}); }, 449, "Argument ist nicht optional");
}

TEST_F(ObjectTest, PropertyPutWithIndex) {
    object_.put("Cells", Variant("A"), {{longValue(1), longValue(2)}});
    object_.put("Cells", Variant("B"), {{longValue(2), longValue(1)}});
    EXPECT_EQ(object_.get("Cells", {{longValue(1), longValue(2)}}).toString(), "A");
    EXPECT_EQ(object_.get("Cells", {{longValue(2), longValue(1)}}).toString(), "B");
}

TEST_F(ObjectTest, HandlerExceptionsNeverLeaveInvoke) {
    expectRaised([&] { (void)object_.call("FailHost"); }, 4198, "Befehl misslungen");
    expectRaised([&] { (void)object_.call("FailStd"); }, 440, "Datenträger voll");
    expectRaised([&] { (void)object_.call("FailOther"); }, 440, "Automatisierungsfehler");
    // Callers that want no result or error details may pass null.
    EXPECT_EQ(probe_->Invoke("FailOther", CallKind::Method, {}, nullptr, nullptr), DISP_E_EXCEPTION);
    EXPECT_EQ(probe_->Invoke("Save", CallKind::Method, {}, nullptr, nullptr), S_OK);
    ExcepInfo error;
    EXPECT_EQ(probe_->Invoke("Name", CallKind::PropertyPut, {}, nullptr, &error), DISP_E_EXCEPTION);
    EXPECT_EQ(error.number, 449);
}

TEST_F(ObjectTest, ObjectPropertiesAndReferenceCounts) {
    // probe_ and object_ hold one reference each.
    EXPECT_EQ(probe_->AddRef(), 3u);
    EXPECT_EQ(probe_->Release(), 2u);
    {
        const Variant copy{object_.dispatch()};
        const Object child = object_.object("Child");
        EXPECT_EQ(object_.object("Child"), child);
        EXPECT_TRUE(object_.object("Nobody").isNothing());
        EXPECT_EQ(alive_, 2);
        EXPECT_EQ(probe_->AddRef(), 4u);
        probe_->Release();
    }
    EXPECT_EQ(probe_->AddRef(), 3u);
    probe_->Release();
}

TEST_F(ObjectTest, QueryInterfaceKnowsUnknownAndDispatch) {
    for (const Guid& iid : {IID_IUnknown, IID_IDispatch}) {
        void* out = nullptr;
        ASSERT_EQ(probe_->QueryInterface(iid, &out), S_OK);
        EXPECT_EQ(out, static_cast<IDispatch*>(probe_.get()));
        probe_->Release();
    }
    void* out = &alive_;
    EXPECT_EQ(probe_->QueryInterface(*Guid::parse("{00000001-0000-0000-C000-000000000046}"), &out), E_NOINTERFACE);
    EXPECT_EQ(out, nullptr);
}

}  // namespace
}  // namespace com
