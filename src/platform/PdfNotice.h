#pragma once

class Printer;

// Without a configured printer an ended document becomes a PDF file: tells the user which, in
// a message box. Says nothing when the last document went to a printer or nowhere.
void ShowPdfNotice(const Printer& printer);
