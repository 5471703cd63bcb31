#pragma once

#include "shared/failure.h"

#include <cassert>
#include <type_traits>
#include <utility>
#include <variant>

// A value or the Failure that stopped it from being made: the return type
// of every core function that can fail. It follows std::expected<T, Failure>
// (has_value, value, error, operator*, operator->), which the compilers the
// project builds with do not all provide yet.
template <typename T> class [[nodiscard]] Expected {
public:
    Expected() requires std::is_default_constructible_v<T> : m_state(std::in_place_index<0>) {}
    Expected(const T& value) : m_state(std::in_place_index<0>, value) {}
    Expected(T&& value) : m_state(std::in_place_index<0>, std::move(value)) {}
    Expected(Failure failure) : m_state(std::in_place_index<1>, std::move(failure)) {}

    bool has_value() const { return m_state.index() == 0; }
    explicit operator bool() const { return has_value(); }

    T& value() & {
        assert(has_value());
        return std::get<0>(m_state);
    }
    const T& value() const& {
        assert(has_value());
        return std::get<0>(m_state);
    }
    T&& value() && {
        assert(has_value());
        return std::get<0>(std::move(m_state));
    }
    T& operator*() & { return value(); }
    const T& operator*() const& { return value(); }
    T&& operator*() && { return std::move(*this).value(); }
    T* operator->() { return &value(); }
    const T* operator->() const { return &value(); }

    const Failure& error() const& {
        assert(!has_value());
        return std::get<1>(m_state);
    }
    Failure&& error() && {
        assert(!has_value());
        return std::get<1>(std::move(m_state));
    }

private:
    std::variant<T, Failure> m_state;
};

// Success or the Failure: Expected<void>.
template <> class [[nodiscard]] Expected<void> {
public:
    Expected() = default;
    Expected(Failure failure) : m_failure(std::move(failure)), m_failed(true) {}

    bool has_value() const { return !m_failed; }
    explicit operator bool() const { return has_value(); }
    void value() const { assert(has_value()); }

    const Failure& error() const& {
        assert(!has_value());
        return m_failure;
    }
    Failure&& error() && {
        assert(!has_value());
        return std::move(m_failure);
    }

private:
    Failure m_failure;
    bool m_failed = false;
};

using Status = Expected<void>;
