// Partial sums of the three series, abscissa by abscissa, and their plot on the drawing surfaces.
#include "SeriesPlot.h"

#include "PictureBox.h"
#include "RuntimeError.h"
#include "Values.h"

#include <QElapsedTimer>
#include <QMutex>
#include <QThreadPool>
#include <QtConcurrent/QtConcurrentMap>
#include <QtConcurrent/QtConcurrentRun>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdint>
#include <optional>
#include <utility>

namespace graph {

namespace {

// From 2^53 on, k + 1 rounds back to k: the term loop would repeat its last term for ever.
constexpr double lastCountableTerm = 9007199254740992.0;

// Number of terms of the loop k = 1, 2, ... while k <= N.
std::uint64_t termCount(double N)
{
    if (!(N >= 1))
        return 0;
    return std::uint64_t(std::floor(std::min(N, lastCountableTerm)));
}

// Code run by the toolkit can leave the upper halves of the processor's vector registers in use.
// Until they are cleared, the scalar arithmetic of the sums mixes with the wider instructions of
// the maths library at a heavy cost: pow and cos were measured ten times slower.
void clearUpperVectorState()
{
#if defined(__x86_64__) && !defined(__AVX__) && (defined(__GNUC__) || defined(__clang__))
    static const bool hasAvx = __builtin_cpu_supports("avx");
    if (hasAvx)
        asm volatile("vzeroupper");
#endif
}

// Runs f(begin, end) over pieces of [0, n) on the global thread pool and waits for all of them,
// without processing events. Each item costs about `cost` terms: a piece goes to another thread
// only when it carries enough of them to pay for the handing over, so a few abscissae with
// thousands of terms each are shared out as well as thousands of abscissae with a few terms.
// f must not throw.
template <class F>
void parallelRanges(std::size_t n, std::size_t cost, F&& f)
{
    constexpr std::size_t minPieceCost = 4096; // about a tenth of a millisecond
    const std::size_t threads = std::size_t(std::max(1, QThreadPool::globalInstance()->maxThreadCount()));
    // A few pieces per thread even out their uneven progress.
    const std::size_t pieces = std::min({threads * 4, n, n * cost / minPieceCost});
    if (threads == 1 || pieces < 2) {
        clearUpperVectorState();
        f(std::size_t(0), n);
        return;
    }
    std::vector<std::pair<std::size_t, std::size_t>> ranges;
    ranges.reserve(pieces);
    for (std::size_t p = 0; p < pieces; ++p)
        ranges.emplace_back(n * p / pieces, n * (p + 1) / pieces);
    QtConcurrent::blockingMap(ranges, [&f](std::pair<std::size_t, std::size_t>& r) {
        clearUpperVectorState();
        f(r.first, r.second);
    });
}

// Terms with the x-free part of their computation taken from a table: the same operations on
// the same values as literalTerm, so the same doubles.
template <Series S>
struct Kernel;

// q = b^k·π, w = a^k.
template <>
struct Kernel<Series::Weierstrass1> {
    static bool entry(double a, double b, double k, double& q, double& w) noexcept
    {
        double p;
        return runtime::tryPower(b, k, p) == 0 && runtime::tryMul(p, PiAproximado, q) == 0
            && runtime::tryPower(a, k, w) == 0;
    }
    static double term(double q, double w, double x) { return runtime::mul(w, std::cos(runtime::mul(q, x))); }
};

// d = π·k^a, which is also the divisor.
template <>
struct Kernel<Series::Weierstrass2> {
    static bool entry(double a, double, double k, double& d, double& unused) noexcept
    {
        double p;
        unused = 0;
        return runtime::tryPower(k, a, p) == 0 && runtime::tryMul(PiAproximado, p, d) == 0;
    }
    static double term(double d, double, double x) { return runtime::div(std::sin(runtime::mul(d, x)), d); }
};

// p = 2^k, inverse = 1/2^k.
template <>
struct Kernel<Series::Takagi> {
    static bool entry(double, double, double k, double& p, double& inverse) noexcept
    {
        return runtime::tryPower(2, k, p) == 0 && runtime::tryDiv(1, p, inverse) == 0;
    }
    static double term(double p, double inverse, double x)
    {
        const double t = runtime::mul(p, x);
        const double r = runtime::roundHalfEven(t);
        return runtime::mul(inverse, std::fabs(runtime::sub(t, r)));
    }
};

// The fast computation of the sums. The terms are taken in blocks of k, each block with a table
// of its x-free values, so memory stays bounded whatever N is. A plot with up to one block of
// terms builds its table once; with more, each batch builds the table of every block again, at
// the cost of summing a few of its abscissae.
class SumEngine {
public:
    SumEngine(Series series, double a, double b, double N)
        : m_series(series),
          m_a(a),
          m_b(b),
          m_terms(termCount(N))
    {
    }

    // Sums for xs[0, n) into ys. Returns the index of the first abscissa whose sum fails (n when
    // none does) and sets `error` to its error; the sums after it are not computed.
    std::size_t run(const double* xs, double* ys, std::size_t n, std::optional<RuntimeError>& error)
    {
        std::fill(ys, ys + n, 0.0);
        m_firstFailure.store(n);
        m_error.reset();
        for (std::uint64_t first = 1; first <= m_terms;) {
            const std::size_t count = std::size_t(std::min<std::uint64_t>(blockSize, m_terms - first + 1));
            prepareTable(first, count);
            const bool failsHere = m_tableValid < count;
            switch (m_series) {
            case Series::Weierstrass1: addBlock<Series::Weierstrass1>(xs, ys, n, failsHere); break;
            case Series::Weierstrass2: addBlock<Series::Weierstrass2>(xs, ys, n, failsHere); break;
            case Series::Takagi: addBlock<Series::Takagi>(xs, ys, n, failsHere); break;
            }
            if (failsHere || m_firstFailure.load() == 0)
                break;
            first += count;
        }
        error = m_error;
        return m_firstFailure.load();
    }

private:
    // 1 MB of table, read again for every abscissa: it stays in the processor's cache.
    static constexpr std::size_t blockSize = 65536;
    static constexpr std::size_t tablePiece = 1024;

    bool entry(double k, double& e1, double& e2) const noexcept
    {
        switch (m_series) {
        case Series::Weierstrass1: return Kernel<Series::Weierstrass1>::entry(m_a, m_b, k, e1, e2);
        case Series::Weierstrass2: return Kernel<Series::Weierstrass2>::entry(m_a, m_b, k, e1, e2);
        case Series::Takagi: return Kernel<Series::Takagi>::entry(m_a, m_b, k, e1, e2);
        }
        return false;
    }

    // Fills the table for k = first .. first + count - 1, up to the first k whose x-free part
    // fails: m_tableValid entries are valid.
    void prepareTable(std::uint64_t first, std::size_t count)
    {
        if (m_tableFirst == first && m_tableCount == count)
            return;
        m_t1.resize(count);
        m_t2.resize(count);
        const std::size_t pieces = (count + tablePiece - 1) / tablePiece;
        std::vector<std::size_t> validInPiece(pieces);
        parallelRanges(pieces, tablePiece, [&](std::size_t lo, std::size_t hi) {
            for (std::size_t p = lo; p < hi; ++p) {
                const std::size_t begin = p * tablePiece, end = std::min(count, begin + tablePiece);
                std::size_t i = begin;
                while (i < end && entry(double(first + i), m_t1[i], m_t2[i]))
                    ++i;
                validInPiece[p] = i;
            }
        });
        m_tableValid = count;
        for (std::size_t p = 0; p < pieces; ++p) {
            if (validInPiece[p] < std::min(count, (p + 1) * tablePiece)) {
                m_tableValid = validInPiece[p];
                break;
            }
        }
        m_tableFirst = first;
        m_tableCount = count;
    }

    template <Series S>
    void addBlock(const double* xs, double* ys, std::size_t n, bool failsHere)
    {
        const double* t1 = m_t1.data();
        const double* t2 = m_t2.data();
        const std::size_t valid = m_tableValid;
        const double failingK = double(m_tableFirst + valid);
        parallelRanges(n, valid, [&](std::size_t lo, std::size_t hi) {
            for (std::size_t i = lo; i < hi; ++i) {
                // Only the first failure counts: abscissae after it need no sum.
                if (i >= m_firstFailure.load(std::memory_order_relaxed))
                    return;
                const double x = xs[i];
                double y = ys[i];
                try {
                    for (std::size_t j = 0; j < valid; ++j)
                        y = runtime::add(y, Kernel<S>::term(t1[j], t2[j], x));
                    if (failsHere) {
                        // The term whose x-free part fails: computed as written, it raises
                        // the error its own order of operations meets first.
                        y = runtime::add(y, literalTerm(S, m_a, m_b, failingK, x));
                        runtime::raise(runtime::Overflow); // not reached: its power fails
                    }
                } catch (const RuntimeError& e) {
                    fail(i, e);
                    return;
                }
                ys[i] = y;
            }
        });
    }

    void fail(std::size_t index, const RuntimeError& e)
    {
        QMutexLocker lock(&m_errorMutex);
        if (index < m_firstFailure.load()) {
            m_firstFailure.store(index);
            m_error = e;
        }
    }

    const Series m_series;
    const double m_a;
    const double m_b;
    const std::uint64_t m_terms;

    std::vector<double> m_t1, m_t2;
    std::uint64_t m_tableFirst = 0;
    std::size_t m_tableCount = 0;
    std::size_t m_tableValid = 0;

    std::atomic<std::size_t> m_firstFailure{0};
    QMutex m_errorMutex;
    std::optional<RuntimeError> m_error;
};

// Abscissae per batch of the plot: about two million terms, so the live view follows the plot
// closely even when N is large, and at least a few abscissae for each core.
std::size_t batchSize(double N)
{
    const std::uint64_t terms = std::max<std::uint64_t>(1, termCount(N));
    return std::size_t(std::clamp<std::uint64_t>((std::uint64_t(1) << 21) / terms, 64, 16384));
}

} // namespace

std::vector<double> plotAbscissae(double xmin, double xmax)
{
    const double h = runtime::div(runtime::sub(xmax, xmin), PontosPorTraçado);
    const runtime::SteppedLoop loop{xmin, xmax, h};
    std::vector<double> xs;
    xs.reserve(PontosPorTraçado + 2);
    for (double x = loop.start; loop.runs(x);) {
        xs.push_back(x);
        // The running value can only overflow past an abscissa beyond single precision, which
        // the plot refuses first; a step that does not move x would repeat it for ever.
        double next;
        if (runtime::tryAdd(x, loop.step, next) != 0 || next == x)
            break;
        x = next;
    }
    return xs;
}

double literalTerm(Series series, double a, double b, double k, double x)
{
    using namespace runtime;
    switch (series) {
    case Series::Weierstrass1: {
        double p = power(b, k);
        p = mul(p, PiAproximado);
        p = mul(p, x);
        const double c = std::cos(p);
        return mul(power(a, k), c);
    }
    case Series::Weierstrass2: {
        const double d = mul(PiAproximado, power(k, a));
        const double s = std::sin(mul(d, x));
        return runtime::div(s, mul(PiAproximado, power(k, a)));
    }
    case Series::Takagi: {
        const double t = mul(power(2, k), x);
        const double r = roundHalfEven(t);
        const double inverse = runtime::div(1.0, power(2, k));
        return mul(inverse, std::fabs(sub(mul(power(2, k), x), r)));
    }
    }
    return 0;
}

std::vector<double> literalSums(Series series, double a, double b, double N, const std::vector<double>& xs)
{
    std::vector<double> ys;
    ys.reserve(xs.size());
    clearUpperVectorState();
    for (const double x : xs) {
        double y = 0;
        for (double k = 1; k <= N && k <= lastCountableTerm; k = k + 1)
            y = runtime::add(y, literalTerm(series, a, b, k, x));
        ys.push_back(y);
    }
    return ys;
}

std::vector<double> computeSums(Series series, double a, double b, double N, const std::vector<double>& xs)
{
    // In batches, like the plot: an error at the first abscissae is found without summing the
    // first block of terms at every other one.
    std::vector<double> ys(xs.size());
    SumEngine engine(series, a, b, N);
    const std::size_t batch = batchSize(N);
    for (std::size_t begin = 0; begin < xs.size(); begin += batch) {
        const std::size_t n = std::min(batch, xs.size() - begin);
        std::optional<RuntimeError> error;
        if (engine.run(xs.data() + begin, ys.data() + begin, n, error) < n)
            throw *error;
    }
    return ys;
}

void plotSeries(Series series, double a, double b, double N, const AxisState& state, QRgb colour,
                platform::PictureBox& picture1, platform::PictureBox& picture2)
{
    const std::vector<double> xs = plotAbscissae(state.XMinimo, state.XMaximo);
    SumEngine engine(series, a, b, N);

    // Two batches in turn: the sums of the next one are computed in the background while the
    // points of this one are set.
    struct Batch {
        std::size_t begin = 0, count = 0, computed = 0;
        std::vector<double> ys;
        std::optional<RuntimeError> error;
    };
    const std::size_t batchLength = batchSize(N);
    Batch batches[2];
    const auto compute = [&](Batch& batch, std::size_t begin) {
        batch.begin = begin;
        batch.count = std::min(batchLength, xs.size() - begin);
        batch.ys.resize(batch.count);
        batch.computed = engine.run(xs.data() + begin, batch.ys.data(), batch.count, batch.error);
    };

    QElapsedTimer sinceRepaint;
    sinceRepaint.start();
    const auto repaintWhenDue = [&](platform::PictureBox::Points& live) {
        if (sinceRepaint.elapsed() >= 16) { // milliseconds
            live.flush();
            sinceRepaint.restart();
        }
    };
    // Whatever ends the plot, the live view shows the points set up to then.
    struct FinalRepaint {
        platform::PictureBox& picture;
        ~FinalRepaint() { picture.flushScreen(); }
    } finalRepaint{picture2};
    QFuture<void> pending;
    // An error leaves no computation running on the batches.
    struct WaitPending {
        QFuture<void>& future;
        ~WaitPending() { future.waitForFinished(); }
    } waitPending{pending};

    if (xs.empty())
        return;
    compute(batches[0], 0);
    for (int current = 0;; current = 1 - current) {
        const Batch& batch = batches[current];
        const std::size_t end = batch.begin + batch.count;
        const bool more = batch.computed == batch.count && end < xs.size();
        if (more)
            pending = QtConcurrent::run(
                [&compute, &batches, current, end] { compute(batches[1 - current], end); });

        {
            platform::PictureBox::Points on1(picture1, colour), on2(picture2, colour);
            for (std::size_t i = 0; i < batch.computed; ++i) {
                const float x = runtime::toSingle(xs[batch.begin + i]);
                const float y = runtime::toSingle(batch.ys[i]);
                on1.set(x, y);
                on2.set(x, y);
                // With many terms a batch holds fewer than 512 abscissae: its end counts too.
                if (i % 512 == 511 || i + 1 == batch.computed)
                    repaintWhenDue(on2);
            }
        }
        if (batch.computed < batch.count)
            throw *batch.error;
        if (!more)
            return;
        pending.waitForFinished();
    }
}

} // namespace graph
