#pragma once

class Printer;

// An ended document that the printer could not take (no printer configured, a stopped queue, a
// refused job) stayed as a PDF file: tells the user why and which file, in a message box. Says
// nothing when the document went to a printer or nowhere.
void ShowPdfNotice(const Printer& printer);
