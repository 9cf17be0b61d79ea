#pragma once
// The syntax check of JavaScript code, through SpiderMonkey's parser: the
// code is compiled, never run, as a browser compiles a classic script (not
// a module, not strict unless it says so) or an event handler's body.
//
// A checker holds a JavaScript engine of its own, which only the thread
// that made the checker may use; make one per worker thread.

#include <QByteArrayView>
#include <QString>

#include <memory>
#include <optional>

enum class JsCodeForm {
    Script,   // a <SCRIPT> block or a .js file
    Handler,  // the body of a function of one argument, "event"
};

struct JsSyntaxError {
    int offset = 0;  // byte offset in the code
    int line = 0;    // 1 for the first line
    int column = 0;  // 1 for the first character (code points, as the editor shows them)
    QString message;
};

class JsSyntaxChecker final {
public:
    JsSyntaxChecker();
    ~JsSyntaxChecker();
    JsSyntaxChecker(const JsSyntaxChecker &) = delete;
    JsSyntaxChecker &operator=(const JsSyntaxChecker &) = delete;

    /// Whether the engine started; when it did not, check() finds nothing.
    bool isWorking() const;

    /// The first syntax error of the code (UTF-8), or nothing when it
    /// compiles.
    std::optional<JsSyntaxError> check(QByteArrayView code, JsCodeForm form);

private:
    struct Engine;
    std::unique_ptr<Engine> m_engine;
};
