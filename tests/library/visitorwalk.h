#pragma once
// The scripts a test runs in a page of Qt WebEngine to use it as a visitor
// would, and to keep what goes wrong meanwhile.  (Kept apart from the test:
// the code generator for Qt's objects does not read raw string literals.)

#include <QString>

/// The console line the walk ends with.
inline const QString kWalkDone = QStringLiteral("quillon walk: done");

/// Keeps what the page's scripts leave uncaught, from before the first of
/// them runs.
inline constexpr char kErrorCollector[] = R"js(
(function () {
    var seen = [];
    Object.defineProperty(window, "quillonPageErrors", { value: seen });
    window.addEventListener("error", function (e) {
        if (e instanceof ErrorEvent)
            seen.push("uncaught: " + e.message + " (line " + e.lineno + ")");
    });
    window.addEventListener("unhandledrejection", function (e) {
        seen.push("unhandled rejection: " + String(e.reason));
    });
})();
)js";

/// The visitor; called with the text to type into the fields.  Reports a
/// handler's shadowed name with console.error and ends with kWalkDone.
inline constexpr char kWalk[] = R"js(
(async function (typed) {
    "use strict";
    function pause(ms) { return new Promise(function (done) { setTimeout(done, ms); }); }
    function fire(el, type) {
        var init = { bubbles: true, cancelable: true, view: window };
        var event;
        if (/^(click|dblclick|contextmenu|mouse)/.test(type))
            event = new MouseEvent(type, init);
        else if (/^key/.test(type))
            event = new KeyboardEvent(type, init);
        else if (type == "focus" || type == "blur")
            event = new FocusEvent(type, { view: window });
        else
            event = new Event(type, init);
        el.dispatchEvent(event);
    }
    function handlers(el) {
        return Array.from(el.attributes).filter(function (a) { return /^on/i.test(a.name); });
    }
    function press(button) {
        button.click();
    }
    // Links stay on the page: what they open is refused anyway, and the
    // page's own handlers have had their say before this one.
    window.addEventListener("click", function (e) {
        if (e.target.closest && e.target.closest("a[href]"))
            e.preventDefault();
    });

    // A handler attribute looks names up in the element, then its form, then
    // the document, and only then among the page's own functions.
    function holder(el, name) {
        var places = [[el, "the element"], [el.form, "its form"], [document, "the document"]];
        for (var i = 0; i < places.length; i++) {
            var object = places[i][0];
            if (!object || !(name in object))
                continue;
            var unscopable = object[Symbol.unscopables];
            if (!unscopable || !unscopable[name])
                return places[i][1];
        }
        return "";
    }
    var all = Array.from(document.querySelectorAll("*"));
    all.forEach(function (el) {
        handlers(el).forEach(function (attribute) {
            var code = attribute.value.replace(/'(?:\\.|[^'\\])*'|"(?:\\.|[^"\\])*"/g, "''");
            var names = code.match(/(^|[^.\w$])[A-Za-z_$][\w$]*/g) || [];
            names.forEach(function (token) {
                var name = token.replace(/^[^A-Za-z_$]/, "");
                if (!(name in window))
                    return;
                var seenThere = Function("d", "f", "e", "with (d) with (f) with (e) return " + name + ";")(
                    document, el.form || {}, el);
                if (seenThere !== window[name])
                    console.error("the " + attribute.name + " of " + el.tagName + " means the page's " + name +
                                  " but gets the one of " + holder(el, name));
            });
        });
    });

    await pause(300);  // the page's timers run meanwhile
    var fields = document.querySelectorAll("input:not([type=button]):not([type=submit]):not([type=reset])," +
                                           "textarea, select");
    for (var field of fields) {
        field.focus();
        if ((field.tagName == "TEXTAREA" || field.type == "text") && !field.readOnly) {
            field.value = typed;
            fire(field, "input");
            fire(field, "change");
        }
        field.blur();
        await pause(0);
    }
    var buttons = Array.from(document.querySelectorAll("input[type=button], input[type=submit], " +
                                                       "input[type=reset], button"));
    for (var list of document.querySelectorAll("select")) {
        for (var entry = 0; entry < list.options.length; entry++) {
            list.selectedIndex = entry;
            fire(list, "input");
            fire(list, "change");
            for (var button of buttons)
                if (button.form == list.form)
                    press(button);
            await pause(0);
        }
    }
    for (var el of all) {
        for (var attribute of handlers(el)) {
            fire(el, attribute.name.substring(2).toLowerCase());
            await pause(0);
        }
    }
    for (var button of buttons) {
        press(button);
        await pause(0);
    }
    for (var link of document.querySelectorAll("a[href]")) {
        fire(link, "mouseover");
        fire(link, "mouseout");
        link.click();
        await pause(0);
    }
    await pause(500);
    console.info("quillon walk: done");
})
)js";

