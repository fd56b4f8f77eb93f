#include "mainwindow/Window1.h"

#include "classlib/WindowSupport.h"

#include "runtime/Invokers.h"

#include <array>
#include <utility>

namespace mainwindow {

namespace {

rt::ClassRecord* Window1_ctbl = nullptr;

// The class's own members follow the places kept for Window's.
constexpr std::size_t kFirstOwnMember = cl::Window::kInheritedMemberPlaces;

// Introspection signatures of the class's own members.
using WindowMethod = void (*)(cl::Window&);
using ControlMember = rt::RefPtr<cl::Control> (*)(cl::Window&, const rt::String&);
using CancelLoadHandler = bool (*)(rt::Object&, const rt::String&);
using ActionHandler = void (*)(rt::Object&);
using NewWindowHandler = rt::RefPtr<cl::HTMLViewer> (*)(rt::Object&);
using DocumentCompleteHandler = void (*)(rt::Object&, const rt::String&);

struct OwnMember {
    const char* name;
    const char* signature;
    rt::Routine routine;
    rt::Invoker invoker;
    bool hidden = false;
};

template <class Signature>
OwnMember Member(const char* name, const char* signature, Signature routine, bool hidden = false)
{
    return { name, signature, routine, rt::IntrospectionInvoke<Signature>, hidden };
}

// The eleven control members stand for the controls in creation order; each
// looks up whatever name it is given.
OwnMember ControlMemberNamed(const char* name, const char* signature)
{
    return Member<ControlMember>(name, signature, &cl::WindowControlByName);
}

auto OwnMembers()
{
    return std::to_array<OwnMember>({
        Member<WindowMethod>("Layout", "%%", &ApplyDesignedProperties),
        Member<WindowMethod>("CreateControls", "%%", &CreateControls),
        Member<WindowMethod>("_CreateControls0", "%%", &CreateControls0, true),
        ControlMemberNamed("TextField1", "%o<TextField>%s"),
        ControlMemberNamed("HTMLViewer2", "%o<HTMLViewer>%s"),
        ControlMemberNamed("Separator1", "%o<Separator>%s"),
        ControlMemberNamed("BevelButton1", "%o<BevelButton>%s"),
        ControlMemberNamed("BevelButton2", "%o<BevelButton>%s"),
        ControlMemberNamed("BevelButton3", "%o<BevelButton>%s"),
        ControlMemberNamed("BevelButton4", "%o<BevelButton>%s"),
        ControlMemberNamed("BevelButton5", "%o<BevelButton>%s"),
        ControlMemberNamed("BevelButton6", "%o<BevelButton>%s"),
        ControlMemberNamed("BevelButton7", "%o<BevelButton>%s"),
        ControlMemberNamed("HTMLViewer1", "%o<HTMLViewer>%s"),
        Member<CancelLoadHandler>("HTMLViewer2_CancelLoad", "%b%s", &HTMLViewer2_CancelLoad),
        Member<ActionHandler>("BevelButton1_Action", "%%", &BevelButton1_Action),
        Member<ActionHandler>("BevelButton2_Action", "%%", &BevelButton2_Action),
        Member<ActionHandler>("BevelButton3_Action", "%%", &BevelButton3_Action),
        Member<ActionHandler>("BevelButton4_Action", "%%", &BevelButton4_Action),
        Member<ActionHandler>("BevelButton5_Action", "%%", &BevelButton5_Action),
        Member<ActionHandler>("BevelButton6_Action", "%%", &BevelButton6_Action),
        Member<ActionHandler>("BevelButton7_Action", "%%", &BevelButton7_Action),
        Member<NewWindowHandler>("HTMLViewer1_NewWindow", "%o<HTMLViewer>%", &HTMLViewer1_NewWindow),
        Member<DocumentCompleteHandler>("HTMLViewer1_DocumentComplete", "%%s", &HTMLViewer1_DocumentComplete),
        Member<WindowMethod>("Event_Resized", "%%", &Event_Resized),
        Member<WindowMethod>("Event_Close", "%%", &Event_Close),
        Member<WindowMethod>("Event_Open", "%%", &Event_Open),
    });
}
constexpr int kMemberPlaces = kFirstOwnMember + std::tuple_size_v<decltype(OwnMembers())>;

void SetAttribute(rt::AttributeRecord& attribute, const char* name, const char* value)
{
    attribute.name = rt::RuntimeLockString(name);
    attribute.value = value ? rt::RuntimeLockString(value) : rt::RuntimeLockString(rt::String());
    attribute.hasValue = value != nullptr;
}

} // namespace

rt::ClassRecord& Window1_Lookup()
{
    if (!Window1_ctbl)
        Window1_ctblinit();
    return *Window1_ctbl;
}

void Window1_ctblinit()
{
    // 1. Built once.
    if (Window1_ctbl)
        return;

    // 2. A subclass of Window.
    auto& window = cl::Window::Lookup();
    auto& record = rt::RuntimeNewClass(
        &window, kMemberPlaces, 0, cl::Window::kEventCount, 0, cl::Window::kInheritedPropertyCount, 1);
    Window1_ctbl = &record;

    // 3. Name, kind and size.
    record.name = rt::RuntimeLockString(kWindow1ClassName);
    record.isInterface = false;
    record.instanceSize = cl::Window::kInstanceSize;

    // 4. The operation table: Window's fifty, which stay as they are, and the
    //    class's own routines after them.
    record.vtable = rt::RuntimeNewVtable(kWindow1OperationCount);
    record.vtableCount = kWindow1OperationCount;
    const std::pair<Window1Slot, rt::Routine> ownOperations[] = {
        { ApplyDesignedPropertiesSlot, &ApplyDesignedProperties },
        { CreateControlsSlot, &CreateControls },
        { CreateControls0Slot, &CreateControls0 },
        { HTMLViewer2_CancelLoadSlot, &HTMLViewer2_CancelLoad },
        { BevelButton1_ActionSlot, &BevelButton1_Action },
        { BevelButton2_ActionSlot, &BevelButton2_Action },
        { BevelButton3_ActionSlot, &BevelButton3_Action },
        { BevelButton4_ActionSlot, &BevelButton4_Action },
        { BevelButton5_ActionSlot, &BevelButton5_Action },
        { BevelButton6_ActionSlot, &BevelButton6_Action },
        { BevelButton7_ActionSlot, &BevelButton7_Action },
        { HTMLViewer1_NewWindowSlot, &HTMLViewer1_NewWindow },
        { HTMLViewer1_DocumentCompleteSlot, &HTMLViewer1_DocumentComplete },
        { Event_ResizedSlot, &Event_Resized },
        { Event_CloseSlot, &Event_Close },
        { Event_OpenSlot, &Event_Open },
    };
    static_assert(std::size(ownOperations) == kWindow1OperationCount - cl::Window::kOperationCount);
    for (const auto& [slot, routine] : ownOperations)
        record.vtable[slot] = routine;
    for (int slot = 0; slot < cl::Window::kOperationCount; ++slot)
        record.vtable[slot] = window.vtable[slot];

    // 5. The own member records, each public; "_CreateControls0" is hidden too.
    std::size_t place = kFirstOwnMember;
    for (const auto& own : OwnMembers()) {
        auto& member = record.members[place];
        member.routine = own.routine;
        member.name = rt::RuntimeLockString(own.name);
        member.signature = rt::RuntimeLockString(own.signature);
        member.invoker = own.invoker;
        member.flags = rt::kInstanceMethodFlag;
        auto attributes = rt::RuntimeAllocateAttributeTable(record.members, place, own.hidden ? 2 : 1);
        SetAttribute(attributes[0], "__Scope", "Public");
        if (own.hidden)
            SetAttribute(attributes[1], "Hidden", nullptr);
        ++place;
    }

    // 6. The window events the class handles.
    record.events[cl::Window::LayoutEvent].handler = &ApplyDesignedProperties;
    record.events[cl::Window::CreateControlsEvent].handler = &CreateControls;
    record.events[cl::Window::ResizedEvent].handler = &Event_Resized;
    record.events[cl::Window::CloseEvent].handler = &Event_Close;
    record.events[cl::Window::OpenEvent].handler = &Event_Open;

    // 7. The class attribute.
    SetAttribute(record.classAttributes[0], "__Scope", "Public");
}

} // namespace mainwindow
