// The formula object: its variable store, its tokenizer and its evaluation.
#include "clsEquation.h"

#include "LocaleText.h"
#include "Random.h"
#include "Values.h"

#include <QString>

#include <algorithm>
#include <bit>
#include <cmath>

using interpreter::Constant;
using interpreter::Function;

namespace {

const char *const Source = "Interpretador";

// The interpreter's own errors.
constexpr int UnbalancedParentheses = 1100; // Número de parênteses incorrecto.
constexpr int UndefinedFunction = 1101;     // Função não definida: <call>)
constexpr int UndefinedVariable = 1102;     // Variável não definida: <name>
constexpr int MissingArgument = 1104;       // Argumento inválido na expressão: <call>)

// What a failed step writes into the entry it visits: a call or a unary minus keeps it there, a
// binary operator clears it with its own entry.
constexpr double FailureValue = 1000;

// Counters, positions, the nesting level and priorities are 16-bit: leaving that range overflows.
int checked16(int value)
{
    if (value < -32768 || value > 32767)
        runtime::raise(runtime::Overflow);
    return value;
}

} // namespace

void clsEquation::Graus(bool value)
{
    if (value != m_graus) {
        m_graus = value;
        m_dirty = true;
    }
}

bool clsEquation::Graus() const
{
    return m_graus;
}

void clsEquation::VarClear()
{
    m_vars.clear();
    m_dirty = true;
}

void clsEquation::Equation(const std::string &text)
{
    m_parsed = false;
    m_dirty = true;
    const bool ascii = std::all_of(text.begin(), text.end(), [](char c) { return (unsigned char)c < 0x80; });
    if (ascii) {
        m_text = text;
        for (char &c : m_text)
            if (c >= 'A' && c <= 'Z')
                c = char(c - 'A' + 'a');
        m_textLength = std::int64_t(m_text.size());
    } else {
        // Invalid UTF-8 becomes replacement characters, which the tokenizer skips like any other.
        const QString lower = QString::fromUtf8(text.data(), qsizetype(text.size())).toLower();
        m_text = lower.toStdString();
        m_textLength = lower.size();
    }
}

std::string clsEquation::Equation() const
{
    return m_text;
}

void clsEquation::VarRemove(const std::string &name)
{
    m_dirty = true;
    try {
        m_vars.remove(name);
    } catch (const RuntimeError &) {
        // A name that is not there is no fault.
    }
}

double clsEquation::Solution()
{
    if (m_dirty)
        Solve();
    return m_result;
}

double clsEquation::Var(const std::string &name) const
{
    const double *value = m_vars.find(name);
    return value ? *value : 0;
}

void clsEquation::Var(const std::string &name, double value)
{
    m_dirty = true;
    // Replacing the value in place leaves the store as removing and adding again would: one
    // entry per name, holding the latest value (the order of the entries is never read).
    if (double *stored = m_vars.find(name)) {
        *stored = value;
        return;
    }
    try {
        m_vars.add(value, name);
    } catch (const RuntimeError &) {
        // Writing a variable never fails for the caller.
    }
}

// ---------------------------------------------------------------------------------------------
// Tokenizer. There is no grammar: precedence lives entirely in the priorities, and evaluation
// visits the tokens from the highest priority down, equal priorities from left to right. Within
// one nesting level, whose base L is 7 for each "(" open:
//   L + 7  "(", calls ("sin(") and the ")" that closes them
//   L + 6  names: variables and constants
//   L + 5  ^
//   L + 4  unary minus
//   L + 3  * / \ and the "*" inserted in 2x and 2(x)
//   L + 2  %
//   L + 1  + -
//   0      numbers and commas: never visited, consumed by the operator or call beside them

class clsEquation::Parser {
public:
    explicit Parser(clsEquation &owner) : m_owner(owner), m_tokens(owner.m_tokens) {}

    void run()
    {
        m_tokens.clear();
        // Character positions are 16-bit and run one past the last character.
        if (m_owner.m_textLength >= 32767)
            runtime::raise(runtime::Overflow);

        for (const char ch : m_owner.m_text)
            scan(ch);
        endPending();
        if (m_nesting != 0)
            throw RuntimeError(UnbalancedParentheses, Source, "Número de parênteses incorrecto.");
        buildOrder();
    }

private:
    enum class State { None, Name, Number };

    static bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_'; }
    static bool isDigit(char c) { return (c >= '0' && c <= '9') || c == '.'; }

    static Kind operatorKind(char c)
    {
        switch (c) {
        case '+': return Kind::Add;
        case '-': return Kind::Sub;
        case '*': return Kind::Mul;
        case '/': return Kind::Div;
        case '\\': return Kind::IntDiv;
        case '^': return Kind::Pow;
        default: return Kind::Mod;
        }
    }

    int operatorPriority(Kind kind) const
    {
        switch (kind) {
        case Kind::Pow: return m_nesting + 5;
        case Kind::Negate: return m_nesting + 4;
        case Kind::Mul:
        case Kind::Div:
        case Kind::IntDiv: return m_nesting + 3;
        case Kind::Mod: return m_nesting + 2;
        default: return m_nesting + 1;
        }
    }

    void scan(char c)
    {
        if (isLetter(c)) {
            if (m_state == State::Number) {
                makeNumber();
                make(Kind::Mul, "*", m_nesting + 3); // 2x is 2 * x
            }
            if (m_state == State::Name) {
                m_pendingText += c;
            } else {
                m_pendingText.assign(1, c);
                m_state = State::Name;
            }
            m_afterOperand = true;
        } else if (isDigit(c)) {
            // The point is kept as ",", the form in which an undefined name like x.5 is reported.
            const char digit = c == '.' ? ',' : c;
            if (m_state == State::None) {
                m_pendingText.assign(1, digit);
                m_state = State::Number;
            } else {
                m_pendingText += digit; // after a name the digit belongs to it: x1, log10
            }
            m_afterOperand = true;
        } else if (c == '(') {
            if (m_state == State::Name) {
                make(Kind::Call, m_pendingText + '(', m_nesting + 7);
            } else {
                if (m_state == State::Number) {
                    makeNumber();
                    make(Kind::Mul, "*", m_nesting + 3); // 2(x+1) is 2 * (x+1)
                }
                make(Kind::Open, "(", m_nesting + 7);
            }
            m_pendingText.clear();
            m_nesting = checked16(m_nesting + 7);
            m_state = State::None;
            m_highestPriority = std::max(m_highestPriority, checked16(m_nesting + 7));
            m_afterOperand = false;
        } else if (c == '+' || c == '-' || c == '*' || c == '/' || c == '\\' || c == '^' || c == '%') {
            endPending();
            Kind kind = operatorKind(c);
            // A "-" is a subtraction only after an operand; elsewhere it negates what follows.
            if (kind == Kind::Sub && !m_afterOperand)
                kind = Kind::Negate;
            make(kind, kind == Kind::Negate ? "~" : std::string(1, c), operatorPriority(kind));
            m_state = State::None;
            m_afterOperand = false;
        } else if (c == ',') {
            endPending();
            make(Kind::Comma, std::string(), 0);
            m_state = State::None;
            m_afterOperand = false;
        } else if (c == ')') {
            endPending();
            // Takes the level inside the pair, the same as its "(": a ")" with no "(" open gets 0
            // or less and is never visited.
            make(Kind::Close, ")", m_nesting);
            m_nesting = checked16(m_nesting - 7);
            m_state = State::None;
            m_afterOperand = true;
        }
        // Every other character is skipped and ends nothing: "2 3" is 23 and "sin x" is sinx.
    }

    void endPending()
    {
        if (m_state == State::Name)
            make(Kind::Name, m_pendingText, m_nesting + 6);
        else if (m_state == State::Number)
            makeNumber();
        m_pendingText.clear();
    }

    void makeNumber()
    {
        make(Kind::Number, m_pendingText, 0);
        Token &token = m_tokens.back();
        std::string numeral = token.text;
        std::replace(numeral.begin(), numeral.end(), ',', '.');
        token.numberError = runtime::tryReadNumeral(numeral, token.number);
    }

    void make(Kind kind, std::string text, int priority)
    {
        // The next position must stay within 16 bits once this token has taken its place.
        checked16(int(m_tokens.size()) + 2);
        Token token;
        token.kind = kind;
        token.priority = std::int16_t(checked16(priority));
        if (kind == Kind::Call)
            token.function = interpreter::functionOfCall(text);
        else if (kind == Kind::Name)
            token.constant = interpreter::constantOfName(text);
        token.text = std::move(text);
        m_tokens.push_back(std::move(token));
    }

    // Positions of priority 1 or more, by descending priority, equal priorities by position.
    void buildOrder()
    {
        // Priorities are counted one past the highest in 16 bits: 4680 parentheses open at once
        // are too many.
        checked16(m_highestPriority + 1);
        std::vector<std::int16_t> &order = m_owner.m_order;
        order.clear();
        for (std::size_t i = 0; i < m_tokens.size(); ++i)
            if (m_tokens[i].priority >= 1)
                order.push_back(std::int16_t(i + 1));
        std::stable_sort(order.begin(), order.end(), [this](std::int16_t a, std::int16_t b) {
            return m_tokens[std::size_t(a - 1)].priority > m_tokens[std::size_t(b - 1)].priority;
        });

        std::vector<Cell> &initial = m_owner.m_initialWork;
        std::vector<std::uint64_t> &occupied = m_owner.m_initialOccupied;
        initial.assign(m_tokens.size() + 1, Cell());
        occupied.assign(m_tokens.size() / 64 + 1, 0);
        for (std::size_t i = 0; i < m_tokens.size(); ++i) {
            if (m_tokens[i].kind != Kind::Comma) {
                initial[i + 1].type = Cell::Type::Text;
                initial[i + 1].token = int(i);
                occupied[(i + 1) / 64] |= std::uint64_t(1) << ((i + 1) % 64);
            }
        }
    }

    clsEquation &m_owner;
    std::vector<Token> &m_tokens;
    State m_state = State::None;
    std::string m_pendingText;
    int m_nesting = 0; // 7 for each "(" open; a ")" too many takes it below 0
    int m_highestPriority = 7; // of an opening: only its 16-bit limit matters
    bool m_afterOperand = false; // the last character that was not skipped ends an operand
};

void clsEquation::Parse()
{
    Parser(*this).run();
    m_parsed = true;
}

// ---------------------------------------------------------------------------------------------
// Evaluation. The tokens of m_order are visited in turn (a grouping or a call passes over its
// ")"), each visit one step that applies the token to its nearest occupied neighbours in the
// working array, writes the step's value into one entry and clears the entries it consumed; the
// first entry still occupied at the end is the value of the formula. A failing action goes to
// fail(): overflow (6) and division by zero (11) end the evaluation; any other failure is
// skipped, the entry or value it was to set keeping what it held, and the step goes on. So a
// function outside its domain gives 1000 instead of an error. Undefined functions (1101),
// undefined variables (1102) and calls without arguments (1104) are raised where they are found.

int clsEquation::NextNonNull(int position) const noexcept
{
    const int upper = int(m_work.size()) - 1;
    const int start = std::max(position, 0) + 1;
    if (start > upper)
        return 0;
    std::size_t word = std::size_t(start / 64);
    std::uint64_t bits = m_occupied[word] & (~std::uint64_t(0) << (start % 64));
    while (!bits) {
        if (++word == m_occupied.size())
            return 0;
        bits = m_occupied[word];
    }
    return int(word * 64) + std::countr_zero(bits);
}

int clsEquation::PrevNonNull(int position) const noexcept
{
    const int upper = int(m_work.size()) - 1;
    const int end = std::min(position - 1, upper);
    if (end < 1)
        return 0;
    std::size_t word = std::size_t(end / 64);
    std::uint64_t bits = m_occupied[word] & (~std::uint64_t(0) >> (63 - end % 64));
    while (!bits) {
        if (word == 0)
            return 0;
        bits = m_occupied[--word];
    }
    return int(word * 64) + 63 - std::countl_zero(bits); // bit 0, position 0, is never set
}

class clsEquation::Walk {
public:
    explicit Walk(clsEquation &owner)
        : m_owner(owner), m_work(owner.m_work), m_tokens(owner.m_tokens), m_order(owner.m_order),
          m_entryCount(int(owner.m_tokens.size()))
    {
    }

    void run()
    {
        m_work = m_owner.m_initialWork;
        m_owner.m_occupied = m_owner.m_initialOccupied;
        const int steps = int(m_order.size());
        for (m_step = 1; m_step <= steps; ++m_step) {
            m_visited = m_order[std::size_t(m_step - 1)];
            m_visitedEntry = m_work[std::size_t(m_visited)];
            step();
        }

        double value = 0;
        if (int e = valueAt(m_owner.NextNonNull(0), value))
            fail(e); // nothing to read: the previous result stays
        else
            m_owner.m_result = value;
        m_owner.m_dirty = false;
    }

private:
    bool valid(int position) const { return position >= 1 && position <= m_entryCount; }

    void markOccupied(int position, bool occupied)
    {
        const std::uint64_t bit = std::uint64_t(1) << (position % 64);
        std::uint64_t &word = m_owner.m_occupied[std::size_t(position / 64)];
        word = occupied ? word | bit : word & ~bit;
    }

    void set(int position, double value)
    {
        markOccupied(position, true);
        Cell &cell = m_work[std::size_t(position)];
        cell.type = Cell::Type::Number;
        cell.value = value;
    }

    int clear(int position)
    {
        if (!valid(position))
            return runtime::IndexOutOfRange;
        m_work[std::size_t(position)].type = Cell::Type::Null;
        markOccupied(position, false);
        return 0;
    }

    // The value of an entry as a double: numbers as they are, number texts read, other texts are
    // no number.
    int valueAt(int position, double &out) const
    {
        if (!valid(position))
            return runtime::IndexOutOfRange;
        const Cell &cell = m_work[std::size_t(position)];
        switch (cell.type) {
        case Cell::Type::Null:
            return runtime::InvalidUseOfNull;
        case Cell::Type::Text: {
            const Token &token = m_tokens[std::size_t(cell.token)];
            if (token.kind != Kind::Number)
                return runtime::TypeMismatch;
            if (token.numberError)
                return token.numberError;
            out = token.number;
            return 0;
        }
        case Cell::Type::Number:
            break;
        }
        out = cell.value;
        return 0;
    }

    const Token *visitedToken() const
    {
        return m_visitedEntry.type == Cell::Type::Text ? &m_tokens[std::size_t(m_visitedEntry.token)] : nullptr;
    }

    // The visited text; a null entry reads as nothing.
    std::string visitedText() const
    {
        const Token *token = visitedToken();
        return token ? token->text : std::string();
    }

    // The visited entry receives 1000, then overflow and division by zero reach the caller and
    // every other error is skipped. Before the first step there is no visited entry: a formula
    // with no step whose result cannot be read (".", ",", ")(", blanks only) then keeps the
    // previous result and raises nothing, as a failed result read after a walk does.
    void fail(int error)
    {
        if (valid(m_visited))
            set(m_visited, FailureValue);
        if (error == runtime::Overflow || error == runtime::DivisionByZero)
            throw RuntimeError(error, Source, runtime::errorDescription(error));
    }

    void check(int error)
    {
        if (error)
            fail(error);
    }

    [[noreturn]] void raiseMissingArgument() const
    {
        throw RuntimeError(MissingArgument, Source, "Argumento inválido na expressão: " + visitedText() + ")");
    }

    void step()
    {
        const Token *token = visitedToken();
        if (!token) {
            // An entry that an earlier failed step cleared: it is no text, so it is taken for a
            // call, which finds no call token and ends in error 1104 or 1101.
            fail(runtime::InvalidUseOfNull);
            callStep();
            return;
        }
        switch (token->kind) {
        case Kind::Negate:
            negateStep();
            break;
        case Kind::Add:
        case Kind::Sub:
        case Kind::Mul:
        case Kind::Div:
        case Kind::IntDiv:
        case Kind::Mod:
        case Kind::Pow:
            binaryStep(token->kind);
            break;
        case Kind::Open:
            groupStep();
            break;
        case Kind::Call:
            callStep();
            break;
        default:
            nameStep(*token);
            break;
        }
    }

    void negateStep()
    {
        const int operand = m_owner.NextNonNull(m_visited);
        double value = 0;
        if (int e = valueAt(operand, value))
            fail(e);
        else
            set(m_visited, -value);
        check(clear(operand));
    }

    void binaryStep(Kind kind)
    {
        const int left = m_owner.PrevNonNull(m_visited);
        const int right = m_owner.NextNonNull(m_visited);
        double a = 0, b = 0, result = 0;
        int e = 0;
        switch (kind) {
        case Kind::Pow:
            // The exponent is read first.
            e = valueAt(right, b);
            if (!e)
                e = valueAt(left, a);
            if (!e)
                e = runtime::tryPower(a, b, result);
            break;
        case Kind::IntDiv:
        case Kind::Mod: {
            // Each operand is made a 32-bit integer as soon as it is read.
            std::int32_t wholeA = 0, wholeB = 0;
            e = valueAt(left, a);
            if (!e)
                e = runtime::tryToInt32(a, wholeA);
            if (!e)
                e = valueAt(right, b);
            if (!e)
                e = runtime::tryToInt32(b, wholeB);
            std::int32_t whole = 0;
            if (!e)
                e = kind == Kind::IntDiv ? runtime::tryIntDiv(wholeA, wholeB, whole)
                                         : runtime::tryIntMod(wholeA, wholeB, whole);
            result = whole;
            break;
        }
        default:
            e = valueAt(left, a);
            if (!e)
                e = valueAt(right, b);
            if (!e) {
                switch (kind) {
                case Kind::Add: e = runtime::tryAdd(a, b, result); break;
                case Kind::Sub: e = runtime::trySub(a, b, result); break;
                case Kind::Mul: e = runtime::tryMul(a, b, result); break;
                default: e = runtime::tryDiv(a, b, result); break;
                }
            }
            break;
        }
        if (e)
            fail(e); // the left operand stays as it was: that is the step's value
        else
            set(left, result);
        check(clear(right));
        check(clear(m_visited));
    }

    // Takes the position of the ")" that follows the visited opening in m_order, and passes over
    // it. Past the end of m_order, the closing position stays what the last grouping or call read.
    void readClosing()
    {
        ++m_step;
        if (m_step <= int(m_order.size()))
            m_closing = m_order[std::size_t(m_step - 1)];
        else
            fail(runtime::IndexOutOfRange);
    }

    void groupStep()
    {
        readClosing();
        const int inside = m_owner.NextNonNull(m_visited);
        if (inside >= m_closing) {
            set(m_visited, 0); // "()" is 0
            check(clear(m_closing));
        } else {
            // Only the first entry inside is taken, as it is: a number text stays a text, and what
            // follows a comma inside stays where it stands.
            if (valid(inside)) {
                m_work[std::size_t(m_visited)] = m_work[std::size_t(inside)];
                markOccupied(m_visited, m_work[std::size_t(m_visited)].type != Cell::Type::Null);
            } else
                fail(runtime::IndexOutOfRange);
            check(clear(inside));
            check(clear(m_closing));
        }
    }

    // Only the first and the last argument are read: min(1,2,3) compares 1 and 3, and leaves the
    // 2 where it stands.
    void callStep()
    {
        readClosing();
        const int first = m_owner.NextNonNull(m_visited);
        const int last = m_owner.PrevNonNull(m_closing);
        if (first >= m_closing)
            raiseMissingArgument();
        double value = 0;
        if (int e = valueAt(first, value))
            fail(e); // the argument keeps its value from the last call
        else
            m_firstArgument = value;
        if (last <= m_visited)
            raiseMissingArgument();
        if (int e = valueAt(last, value))
            fail(e);
        else
            m_lastArgument = value;
        check(clear(last));
        check(clear(first));
        check(clear(m_visited));
        check(clear(m_closing));

        const Token *token = visitedToken();
        const Function function = token && token->kind == Kind::Call ? token->function : Function::Unknown;
        if (function == Function::Unknown)
            throw RuntimeError(UndefinedFunction, Source, "Função não definida: " + visitedText() + ")");
        if (int e = interpreter::evaluateFunction(function, m_firstArgument, m_lastArgument, value))
            fail(e); // outside the domain the entry keeps 1000
        else
            set(m_visited, value);
    }

    void nameStep(const Token &token)
    {
        switch (token.constant) {
        case Constant::Pi:
            set(m_visited, interpreter::PiValue);
            return;
        case Constant::E:
            set(m_visited, interpreter::EValue);
            return;
        case Constant::Rnd:
            set(m_visited, runtime::threadRandom().next());
            return;
        case Constant::None:
            break;
        }
        // Names are made in lower case from ASCII letters, so the text is already a folded key.
        const double *value = m_owner.m_vars.findFolded(token.text);
        if (!value)
            throw RuntimeError(UndefinedVariable, Source, "Variável não definida: " + token.text);
        if (!std::isfinite(*value))
            fail(runtime::Overflow); // a variable can be written with a value no formula could make
        else
            set(m_visited, *value);
    }

    clsEquation &m_owner;
    std::vector<Cell> &m_work;
    const std::vector<Token> &m_tokens;
    const std::vector<std::int16_t> &m_order;
    const int m_entryCount;

    // What one step leaves for the next ones.
    int m_step = 0;        // index (from 1) into m_order of the step being made
    int m_visited = 0;     // the position that step visits
    Cell m_visitedEntry;   // that entry as the step found it
    int m_closing = 0;     // the position of the ")" of the last grouping or call
    double m_firstArgument = 0; // the arguments that the last call read
    double m_lastArgument = 0;
};

void clsEquation::Solve()
{
    if (!m_parsed) {
        try {
            Parse();
        } catch (const RuntimeError &error) {
            throw RuntimeError(error.number(), Source, error.description());
        }
    }
    Walk(*this).run();
}
