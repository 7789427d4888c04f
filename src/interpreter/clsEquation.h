// The formula object: one formula text, named variables, and the value of the formula.
#pragma once

#include "FunctionTable.h"
#include "KeyedCollection.h"
#include "RuntimeError.h"

#include <cstdint>
#include <string>
#include <vector>

// Texts are UTF-8. Failures reach the caller as RuntimeError with the source "Interpretador".
class clsEquation {
public:
    void Graus(bool value);
    bool Graus() const;
    void VarClear();
    void Equation(const std::string &text);
    std::string Equation() const;
    void VarRemove(const std::string &name);
    double Solution();
    void Solve();
    double Var(const std::string &name) const;
    void Var(const std::string &name, double value);

private:
    enum class Kind : std::uint8_t {
        Number, Name, Call, Open, Close, Comma,
        Add, Sub, Mul, Div, IntDiv, Mod, Pow, Negate,
    };

    struct Token {
        std::string text; // as the tokenizer made it; empty for a comma, which holds no text
        Kind kind;
        std::int16_t priority;
        interpreter::Function function = interpreter::Function::Unknown; // calls
        interpreter::Constant constant = interpreter::Constant::None;    // names
        int numberError = 0; // numbers: 0, or the error that reading the text raises
        double number = 0;   // numbers: the value of the text
    };

    // One entry of the working array of an evaluation: nothing, a token's text, or the number
    // that a step wrote.
    struct Cell {
        enum class Type : std::uint8_t { Null, Text, Number };
        Type type = Type::Null;
        int token = 0; // Text: index into m_tokens
        double value = 0;
    };

    void Parse();
    int NextNonNull(int position) const noexcept;
    int PrevNonNull(int position) const noexcept;

    class Parser;
    class Walk;

    bool m_dirty = false;  // the next read of Solution evaluates first
    bool m_parsed = true;  // m_tokens and m_order belong to m_text
    runtime::KeyedCollection<double> m_vars;
    std::string m_text;    // always in lower case
    std::int64_t m_textLength = 0; // in UTF-16 units, as the tokenizer's 16-bit counter counts them
    bool m_graus = false;  // stored and returned only: trigonometry is always in radians
    double m_result = 0;   // the value of the last evaluation that completed
    std::vector<Token> m_tokens;
    std::vector<std::int16_t> m_order; // token positions (from 1) in the order evaluation visits them

    // The working array as each evaluation starts it (position 0 unused), and the working array
    // itself, kept between evaluations to spare the allocation. Beside each, one bit per position
    // tells whether the entry is occupied, so that the search for a neighbour skips cleared
    // entries 64 at a time.
    std::vector<Cell> m_initialWork;
    std::vector<std::uint64_t> m_initialOccupied;
    std::vector<Cell> m_work;
    std::vector<std::uint64_t> m_occupied;
};
