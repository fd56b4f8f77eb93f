#pragma once

#include "ClassRecord.h"
#include "Delegate.h"
#include "Exceptions.h"
#include "Variant.h"

#include <span>
#include <type_traits>
#include <utility>
#include <vector>

namespace rt {

namespace detail {

template <class T>
T FromVariant(const Variant& value)
{
    if constexpr (std::is_same_v<T, String>) {
        return VariantToString(value);
    } else if constexpr (std::is_same_v<T, bool> || std::is_same_v<T, std::int32_t> || std::is_same_v<T, double>) {
        if (auto* held = std::get_if<T>(&value))
            return *held;
        Raise<RuntimeException>("an argument has the wrong type");
    } else {
        // An object parameter: RefPtr<Class>.
        using Class = std::remove_cvref_t<decltype(*std::declval<T>())>;
        auto* object = std::get_if<RefPtr<Object>>(&value);
        if (!object || !*object)
            return nullptr;
        auto* typed = dynamic_cast<Class*>(object->get());
        if (!typed)
            Raise<RuntimeException>("an argument is of the wrong class");
        return T(typed);
    }
}

template <class R>
Variant ToVariant(R&& result)
{
    using Plain = std::remove_cvref_t<R>;
    if constexpr (
        std::is_same_v<Plain,
            bool> || std::is_same_v<Plain, std::int32_t> || std::is_same_v<Plain, double> || std::is_same_v<Plain, String>)
        return Variant(std::forward<R>(result));
    else
        return Variant(RefPtr<Object>(result.get()));
}

template <class R, class Call>
Variant CallToVariant(Call&& call)
{
    if constexpr (std::is_void_v<R>) {
        call();
        return Variant();
    } else {
        return ToVariant(call());
    }
}

template <class Target>
Target& TargetAs(Object* target)
{
    if (!target)
        Raise<NilObjectException>("the call's target is nil");
    auto* typed = dynamic_cast<Target*>(target);
    if (!typed)
        Raise<RuntimeException>("the call's target is of the wrong class");
    return *typed;
}

template <class... P>
void RequireArgumentCount(std::size_t given)
{
    if (given != sizeof...(P))
        Raise<RuntimeException>("wrong number of arguments");
}

} // namespace detail

template <class Signature>
struct IntrospectionInvoker;

// Introspection: the target first, then the list's arguments converted to the
// member's parameter types.
template <class R, class Target, class... P>
struct IntrospectionInvoker<R (*)(Target&, P...)> {
    static Variant Invoke(const Routine& routine, Object* target, const std::vector<Variant>* arguments)
    {
        Target& typedTarget = detail::TargetAs<Target>(target);
        if constexpr (sizeof...(P) > 0) {
            if (!arguments)
                Raise<NilObjectException>("the argument list is nil");
        }
        const std::size_t given = arguments ? arguments->size() : 0;
        detail::RequireArgumentCount<P...>(given);
        auto function = routine.as<R (*)(Target&, P...)>();
        if (!function)
            Raise<NilObjectException>("the member has no routine");
        return Call(function, typedTarget, arguments, std::index_sequence_for<P...>());
    }

private:
    template <std::size_t... I>
    static Variant Call(
        R (*function)(Target&, P...), Target& target, const std::vector<Variant>* arguments, std::index_sequence<I...>)
    {
        return detail::CallToVariant<R>(
            [&]() -> R { return function(target, detail::FromVariant<std::remove_cvref_t<P>>((*arguments)[I])...); });
    }
};

template <class Signature>
constexpr Invoker IntrospectionInvoke = &IntrospectionInvoker<Signature>::Invoke;

template <class Signature>
struct DelegateInvoker;

// A delegate with no bound object: the routine gets the call's arguments alone.
template <class R, class... P>
struct DelegateInvoker<R (*)(P...)> {
    static Variant Invoke(const Delegate& delegate, std::span<const Variant> arguments)
    {
        detail::RequireArgumentCount<P...>(arguments.size());
        auto function = delegate.routine.as<R (*)(P...)>();
        if (!function)
            Raise<NilObjectException>("the delegate has no routine");
        return Call(function, arguments, std::index_sequence_for<P...>());
    }

private:
    template <std::size_t... I>
    static Variant Call(R (*function)(P...), std::span<const Variant> arguments, std::index_sequence<I...>)
    {
        return detail::CallToVariant<R>(
            [&]() -> R { return function(detail::FromVariant<std::remove_cvref_t<P>>(arguments[I])...); });
    }
};

template <class Signature>
struct BoundDelegateInvoker;

// A delegate with a bound object: the routine gets that object first.
template <class R, class Target, class... P>
struct BoundDelegateInvoker<R (*)(Target&, P...)> {
    static Variant Invoke(const Delegate& delegate, std::span<const Variant> arguments)
    {
        Target& target = detail::TargetAs<Target>(delegate.boundObject.get());
        detail::RequireArgumentCount<P...>(arguments.size());
        auto function = delegate.routine.as<R (*)(Target&, P...)>();
        if (!function)
            Raise<NilObjectException>("the delegate has no routine");
        return Call(function, target, arguments, std::index_sequence_for<P...>());
    }

private:
    template <std::size_t... I>
    static Variant Call(
        R (*function)(Target&, P...), Target& target, std::span<const Variant> arguments, std::index_sequence<I...>)
    {
        return detail::CallToVariant<R>(
            [&]() -> R { return function(target, detail::FromVariant<std::remove_cvref_t<P>>(arguments[I])...); });
    }
};

template <class Signature>
constexpr rt::DelegateInvokerFunction DelegateInvoke = &DelegateInvoker<Signature>::Invoke;

template <class Signature>
constexpr rt::DelegateInvokerFunction BoundDelegateInvoke = &BoundDelegateInvoker<Signature>::Invoke;

} // namespace rt
