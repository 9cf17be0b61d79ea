#include "doctor/jssyntax.h"

#include <QCoreApplication>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <js/CompilationAndEvaluation.h>
#include <js/ErrorReport.h>
#include <js/Exception.h>
#include <js/Initialization.h>
#include <js/SourceText.h>
#include <jsapi.h>
#include <mutex>

namespace {

// The engine is started once a process and shut down at its exit, after
// the last checker has gone (a checker still alive then leaves it up: the
// process is ending anyway).
std::atomic<int> g_liveEngines{0};
bool g_started = false;

void shutDownAtExit()
{
    if (g_liveEngines.load() == 0)
        JS_ShutDown();
}

bool startOnce()
{
    static std::once_flag once;
    std::call_once(once, [] {
        g_started = JS_Init();
        if (g_started)
            std::atexit(shutDownAtExit);
    });
    return g_started;
}

JSClass g_globalClass = {"global", JSCLASS_GLOBAL_FLAGS, &JS::DefaultGlobalClassOps, nullptr, nullptr, nullptr};

bool isContinuationByte(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// The byte offset of a 1-based line and a 0-based column in code points,
// lines ending as JavaScript ends them (LF, CR LF, CR, U+2028, U+2029).
int byteOffsetOf(QByteArrayView code, unsigned line, unsigned column)
{
    qsizetype at = 0;
    const qsizetype n = code.size();
    for (unsigned current = 1; current < line && at < n;) {
        const char c = code[at];
        if (c == '\n') {
            ++current;
            ++at;
        } else if (c == '\r') {
            ++current;
            at += (at + 1 < n && code[at + 1] == '\n') ? 2 : 1;
        } else if (c == '\xE2' && at + 2 < n && code[at + 1] == '\x80' &&
                   (code[at + 2] == '\xA8' || code[at + 2] == '\xA9')) {
            ++current;
            at += 3;
        } else {
            ++at;
        }
    }
    for (unsigned i = 0; i < column && at < n; ++i) {
        if (code[at] == '\n' || code[at] == '\r')
            break;
        ++at;
        while (at < n && isContinuationByte(code[at]))
            ++at;
    }
    return static_cast<int>(at);
}

bool startsLineBreak(QByteArrayView code, qsizetype at)
{
    const char c = code[at];
    return c == '\n' || c == '\r' ||
           (c == '\xE2' && at + 2 < code.size() && code[at + 1] == '\x80' &&
            (code[at + 2] == '\xA8' || code[at + 2] == '\xA9'));
}

// The line (from 1) of a byte offset; LF after CR ends nothing more.
int lineOf(QByteArrayView code, int offset)
{
    int line = 1;
    for (qsizetype at = 0; at < offset && at < code.size(); ++at) {
        if (startsLineBreak(code, at) && !(code[at] == '\n' && at > 0 && code[at - 1] == '\r'))
            ++line;
    }
    return line;
}

unsigned lineCount(QByteArrayView code)
{
    return static_cast<unsigned>(lineOf(code, static_cast<int>(code.size())));
}

// The column (from 1, in code points) of a byte offset.
int columnOf(QByteArrayView code, int offset)
{
    qsizetype start = offset;
    while (start > 0 && code[start - 1] != '\n' && code[start - 1] != '\r' &&
           !(start >= 3 && startsLineBreak(code, start - 3) && code[start - 3] == '\xE2'))
        --start;
    int column = 1;
    for (qsizetype at = start; at < offset; ++at) {
        if (!isContinuationByte(code[at]))
            ++column;
    }
    return column;
}

}  // namespace

struct JsSyntaxChecker::Engine {
    JSContext *context = nullptr;
    JS::PersistentRootedObject global;
};

JsSyntaxChecker::JsSyntaxChecker() : m_engine(std::make_unique<Engine>())
{
    if (!startOnce())
        return;
    JSContext *context = JS_NewContext(JS::DefaultHeapMaxBytes);
    if (!context)
        return;
    if (!JS::InitSelfHostedCode(context)) {
        JS_DestroyContext(context);
        return;
    }
    JS::RealmOptions options;
    JSObject *global = JS_NewGlobalObject(context, &g_globalClass, nullptr, JS::FireOnNewGlobalHook, options);
    if (!global) {
        JS_DestroyContext(context);
        return;
    }
    m_engine->context = context;
    m_engine->global.init(context, global);
    ++g_liveEngines;
}

JsSyntaxChecker::~JsSyntaxChecker()
{
    if (!m_engine->context)
        return;
    m_engine->global.reset();
    JS_DestroyContext(m_engine->context);
    --g_liveEngines;
}

bool JsSyntaxChecker::isWorking() const
{
    return m_engine->context != nullptr;
}

std::optional<JsSyntaxError> JsSyntaxChecker::check(QByteArrayView code, JsCodeForm form)
{
    JSContext *cx = m_engine->context;
    if (!cx)
        return std::nullopt;
    JSAutoRealm realm(cx, m_engine->global);
    JS::CompileOptions options(cx);
    options.setFileAndLine("", 1);
    JS::SourceText<mozilla::Utf8Unit> source;
    if (!source.init(cx, code.data(), static_cast<size_t>(code.size()), JS::SourceOwnership::Borrowed)) {
        JS_ClearPendingException(cx);
        return std::nullopt;
    }
    bool compiled = false;
    if (form == JsCodeForm::Script) {
        compiled = JS::Compile(cx, options, source) != nullptr;
    } else {
        JS::RootedObjectVector scopes(cx);
        const char *arguments[] = {"event"};
        compiled = JS::CompileFunction(cx, scopes, options, "handler", 1, arguments, source) != nullptr;
    }
    if (compiled) {
        JS_MaybeGC(cx);
        return std::nullopt;
    }
    JS::ExceptionStack stack(cx);
    if (!JS::StealPendingExceptionStack(cx, &stack))
        return std::nullopt;
    JS::ErrorReportBuilder report(cx);
    if (!report.init(cx, stack, JS::ErrorReportBuilder::NoSideEffects) || !report.report())
        return std::nullopt;
    const JSErrorReport *r = report.report();
    // A handler's body is compiled after a line of the engine's own.
    const unsigned line = form == JsCodeForm::Handler ? std::max(1U, r->lineno) - 1 : r->lineno;
    JsSyntaxError error;
    const char *message = r->message().c_str();
    error.message = message && *message
                        ? QString::fromUtf8(message)
                        : QCoreApplication::translate("JsSyntaxChecker", "This is not valid JavaScript.");
    if (line == 0 || line > lineCount(code)) {
        // Past the code: the engine's own closing brace of a handler met a
        // "}" of the code too many.
        error.offset = static_cast<int>(code.size());
        if (form == JsCodeForm::Handler)
            error.message =
                QCoreApplication::translate("JsSyntaxChecker", "A \"}\" in this handler closes more than was opened.");
    } else {
        error.offset = byteOffsetOf(code, line, r->column);
    }
    error.line = lineOf(code, error.offset);
    error.column = columnOf(code, error.offset);
    JS_MaybeGC(cx);
    return error;
}
