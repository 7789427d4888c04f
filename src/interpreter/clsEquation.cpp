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
using interpreter::NumberType;

namespace {

const char *const Source = "Interpretador";

// The interpreter's own errors.
constexpr int UnbalancedParentheses = 1100; // Número de parênteses incorrecto.
constexpr int UndefinedFunction = 1101;     // Função não definida: <call>)
constexpr int UndefinedVariable = 1102;     // Variável não definida: <name>
constexpr int InvalidArgument = 1104;       // Argumento inválido na expressão: <call>)

// The value of a step that failed and was resumed.
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
// Tokenizer. Precedence lives entirely in the priorities: each "(" raises the nesting level by 7,
// and within a level names come first, then "^", unary minus, "* / \", "%", and "+ -" last.

class clsEquation::Parser {
public:
    explicit Parser(clsEquation &owner) : m_owner(owner), m_tokens(owner.m_tokens) {}

    void run()
    {
        m_tokens.clear();
        // The character counter runs up to the length plus one, which must fit 16 bits.
        if (m_owner.m_textLength >= 32767)
            runtime::raise(runtime::Overflow);

        for (const char ch : m_owner.m_text)
            scan(ch);
        endPending();
        m_owner.m_highestPriority = m_highest;
        if (m_level != 0)
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
        case Kind::Pow: return m_level + 5;
        case Kind::Negate: return m_level + 4;
        case Kind::Mul:
        case Kind::Div:
        case Kind::IntDiv: return m_level + 3;
        case Kind::Mod: return m_level + 2;
        default: return m_level + 1;
        }
    }

    void scan(char c)
    {
        if (isLetter(c)) {
            if (m_state == State::Number) {
                makeNumber();
                make(Kind::Mul, "*", m_level + 3); // 2x is 2 * x
            }
            if (m_state == State::Name) {
                m_pending += c;
            } else {
                m_pending.assign(1, c);
                m_state = State::Name;
            }
            m_operand = true;
        } else if (isDigit(c)) {
            const char d = c == '.' ? ',' : c;
            if (m_state == State::None) {
                m_pending.assign(1, d);
                m_state = State::Number;
            } else {
                m_pending += d; // after a name the digit belongs to it: x1, log10
            }
            m_operand = true;
        } else if (c == '(') {
            if (m_state == State::Name) {
                make(Kind::Call, m_pending + '(', m_level + 7);
            } else {
                if (m_state == State::Number) {
                    makeNumber();
                    make(Kind::Mul, "*", m_level + 3); // 2(x+1) is 2 * (x+1)
                }
                make(Kind::Open, "(", m_level + 7);
            }
            m_pending.clear();
            m_level = checked16(m_level + 7);
            m_state = State::None;
            m_highest = std::max(m_highest, checked16(m_level + 7));
            m_operand = false;
        } else if (c == '+' || c == '-' || c == '*' || c == '/' || c == '\\' || c == '^' || c == '%') {
            endPending();
            Kind kind = operatorKind(c);
            // A "-" is a subtraction only after an operand; elsewhere it negates what follows.
            if (kind == Kind::Sub && !m_operand)
                kind = Kind::Negate;
            make(kind, kind == Kind::Negate ? "~" : std::string(1, c), operatorPriority(kind));
            m_state = State::None;
            m_operand = false;
        } else if (c == ',') {
            endPending();
            make(Kind::Comma, std::string(), 0);
            m_state = State::None;
            m_operand = false;
        } else if (c == ')') {
            endPending();
            // Takes the level inside the pair, the same as its "(": a ")" with no "(" open gets 0
            // or less and is never visited.
            make(Kind::Close, ")", m_level);
            m_level = checked16(m_level - 7);
            m_state = State::None;
            m_operand = true;
        }
        // Every other character is skipped and ends nothing: "2 3" is 23 and "sin x" is sinx.
    }

    void endPending()
    {
        if (m_state == State::Name)
            make(Kind::Name, m_pending, m_level + 6);
        else if (m_state == State::Number)
            makeNumber();
        m_pending.clear();
    }

    void makeNumber()
    {
        make(Kind::Number, m_pending, 0);
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
        // The loop over the priorities counts one past the highest, in 16 bits.
        checked16(m_highest + 1);
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
    std::string m_pending;
    int m_level = 0;
    int m_highest = 7;
    bool m_operand = false;
};

void clsEquation::Parse()
{
    Parser(*this).run();
    m_parsed = true;
}

// ---------------------------------------------------------------------------------------------
// Evaluation. Each visit of a token in `Order` is one step that applies it to its nearest
// occupied neighbours in the working array. A failing action is handled as the error handler of
// the method would: the visited entry receives the 16-bit 1000, errors 6, 11 and 1100 to 1105 end
// the evaluation, a missing variable becomes 1102, and any other failure is skipped, evaluation
// resuming with the next action.

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
          m_n(int(owner.m_tokens.size()))
    {
    }

    void run()
    {
        m_work = m_owner.m_initialWork;
        m_owner.m_occupied = m_owner.m_initialOccupied;
        const int count = int(m_order.size());
        for (m_k = 1; m_k <= count; ++m_k) {
            m_p = m_order[std::size_t(m_k - 1)];
            m_t = m_work[std::size_t(m_p)];
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
    bool valid(int position) const { return position >= 1 && position <= m_n; }

    void markOccupied(int position, bool occupied)
    {
        const std::uint64_t bit = std::uint64_t(1) << (position % 64);
        std::uint64_t &word = m_owner.m_occupied[std::size_t(position / 64)];
        word = occupied ? word | bit : word & ~bit;
    }

    void set(int position, NumberType type, double value)
    {
        markOccupied(position, true);
        Cell &cell = m_work[std::size_t(position)];
        switch (type) {
        case NumberType::Int16: cell.type = Cell::Type::Int16; break;
        case NumberType::Int32: cell.type = Cell::Type::Int32; break;
        case NumberType::Single: cell.type = Cell::Type::Single; break;
        case NumberType::Double: cell.type = Cell::Type::Double; break;
        }
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

    // The value of an entry as a double: numbers widen, number texts are read, other texts are no
    // number.
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
        default:
            out = cell.value;
            return 0;
        }
    }

    const Token *visitedToken() const
    {
        return m_t.type == Cell::Type::Text ? &m_tokens[std::size_t(m_t.token)] : nullptr;
    }

    // The visited text; a null entry reads as nothing.
    std::string visitedText() const
    {
        const Token *token = visitedToken();
        return token ? token->text : std::string();
    }

    // The error handler. Before the first step there is no visited entry to receive 1000: a
    // formula with no step whose result cannot be read (".", ",", ")(", blanks only) then keeps
    // the previous result and raises nothing, as a failed result step after a walk does.
    void fail(int error)
    {
        if (valid(m_p))
            set(m_p, NumberType::Int16, FailureValue);
        if (error == runtime::Overflow || error == runtime::DivisionByZero)
            throw RuntimeError(error, Source, runtime::errorDescription(error));
        if (error == runtime::InvalidArgument && m_lookup == 1)
            throw RuntimeError(UndefinedVariable, Source, "Variável não definida: " + visitedText());
    }

    void check(int error)
    {
        if (error)
            fail(error);
    }

    [[noreturn]] void raiseInvalidArgument() const
    {
        throw RuntimeError(InvalidArgument, Source, "Argumento inválido na expressão: " + visitedText() + ")");
    }

    void step()
    {
        const Token *token = visitedToken();
        if (!token) {
            // A null entry cannot be read as a text: the test for a call fails, and resuming
            // after it enters the call step, which ends in error 1104 or 1101.
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
        m_r = m_owner.NextNonNull(m_p);
        double value = 0;
        if (int e = valueAt(m_r, value))
            fail(e);
        else
            set(m_p, NumberType::Double, -value);
        check(clear(m_r));
    }

    void binaryStep(Kind kind)
    {
        m_l = m_owner.PrevNonNull(m_p);
        m_r = m_owner.NextNonNull(m_p);
        double a = 0, b = 0, result = 0;
        NumberType type = NumberType::Double;
        int e = 0;
        switch (kind) {
        case Kind::Pow:
            // The exponent is read first.
            e = valueAt(m_r, b);
            if (!e)
                e = valueAt(m_l, a);
            if (!e)
                e = runtime::tryPower(a, b, result);
            break;
        case Kind::IntDiv:
        case Kind::Mod: {
            std::int32_t ia = 0, ib = 0;
            e = valueAt(m_l, a);
            if (!e)
                e = runtime::tryToInt32(a, ia);
            if (!e)
                e = valueAt(m_r, b);
            if (!e)
                e = runtime::tryToInt32(b, ib);
            std::int32_t q = 0;
            if (!e)
                e = kind == Kind::IntDiv ? runtime::tryIntDiv(ia, ib, q) : runtime::tryIntMod(ia, ib, q);
            result = q;
            type = NumberType::Int32;
            break;
        }
        default:
            e = valueAt(m_l, a);
            if (!e)
                e = valueAt(m_r, b);
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
            set(m_l, type, result);
        check(clear(m_r));
        check(clear(m_p));
    }

    // Reads the position of the ")" that follows the visited opening in `Order`; past the end of
    // `Order` the read fails and c keeps its value from the last grouping or call.
    void readClosing()
    {
        ++m_k;
        if (m_k <= int(m_order.size()))
            m_c = m_order[std::size_t(m_k - 1)];
        else
            fail(runtime::IndexOutOfRange);
    }

    void groupStep()
    {
        readClosing();
        m_r = m_owner.NextNonNull(m_p);
        if (m_r >= m_c) {
            set(m_p, NumberType::Double, 0); // "()" is 0
            check(clear(m_c));
        } else {
            // The first entry inside is taken as it is: a number text stays a text.
            if (valid(m_r)) {
                m_work[std::size_t(m_p)] = m_work[std::size_t(m_r)];
                markOccupied(m_p, m_work[std::size_t(m_p)].type != Cell::Type::Null);
            } else
                fail(runtime::IndexOutOfRange);
            check(clear(m_r));
            check(clear(m_c));
        }
    }

    void callStep()
    {
        readClosing();
        m_l = m_owner.NextNonNull(m_p);
        m_r = m_owner.PrevNonNull(m_c);
        if (m_l >= m_c)
            raiseInvalidArgument();
        double value = 0;
        if (int e = valueAt(m_l, value))
            fail(e); // x keeps its value from the last call
        else
            m_x = value;
        if (m_r <= m_p)
            raiseInvalidArgument();
        if (int e = valueAt(m_r, value))
            fail(e);
        else
            m_y = value;
        check(clear(m_r));
        check(clear(m_l));
        check(clear(m_p));
        check(clear(m_c));

        const Token *token = visitedToken();
        const Function function = token && token->kind == Kind::Call ? token->function : Function::Unknown;
        if (function == Function::Unknown)
            throw RuntimeError(UndefinedFunction, Source, "Função não definida: " + visitedText() + ")");
        NumberType type = NumberType::Double;
        if (int e = interpreter::evaluateFunction(function, m_x, m_y, type, value))
            fail(e); // outside the domain the entry keeps 1000
        else
            set(m_p, type, value);
    }

    void nameStep(const Token &token)
    {
        switch (token.constant) {
        case Constant::Pi:
            set(m_p, NumberType::Double, interpreter::PiValue);
            return;
        case Constant::E:
            set(m_p, NumberType::Double, interpreter::EValue);
            return;
        case Constant::Rnd:
            set(m_p, NumberType::Single, runtime::threadRandom().next());
            return;
        case Constant::None:
            break;
        }
        m_lookup = 1;
        // Names are made in lower case from ASCII letters, so the text is already a folded key.
        const double *value = m_owner.m_vars.findFolded(token.text);
        if (!value)
            fail(runtime::InvalidArgument);
        else if (!std::isfinite(*value))
            fail(runtime::Overflow); // a variable can be written with a value no formula could make
        else
            set(m_p, NumberType::Double, *value);
        m_lookup = 0;
    }

    clsEquation &m_owner;
    std::vector<Cell> &m_work;
    const std::vector<Token> &m_tokens;
    const std::vector<std::int16_t> &m_order;
    const int m_n;

    int m_k = 0;
    int m_p = 0;
    Cell m_t;
    int m_l = 0;
    int m_r = 0;
    int m_c = 0;
    double m_x = 0;
    double m_y = 0;
    int m_lookup = 0;
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
