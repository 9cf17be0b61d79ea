#pragma once
// Printing a fragment editor's text.

class QPrinter;
class ScriptEditor;

/// Prints the editor's whole text with its highlighting as one document,
/// long lines wrapped on paper.  An editor with the scheme's lexer prints
/// as its editor options say: in the light looks, in colour or in black,
/// with or without line numbers.  False when the printout could not be
/// made (a file that cannot be written, a printer that refuses).
bool printWholeText(ScriptEditor &editor, QPrinter &printer);
