#pragma once
// Printing a fragment editor's text.

class QPrinter;
class ScriptEditor;

/// Prints the editor's whole text with its highlighting as one document,
/// long lines wrapped on paper.  False when the printout could not be
/// made (a file that cannot be written, a printer that refuses).
bool printWholeText(ScriptEditor &editor, QPrinter &printer);
