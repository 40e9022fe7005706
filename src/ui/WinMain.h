#pragma once

// The program's entry point, as a Windows GUI program has it.
using HINSTANCE = void*;
using LPSTR = char*;

// Runs the program until its main window closes; reads none of its arguments and returns 0.
int WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow);

// The start-up steps before the message loop: the application object, then the main window,
// the hidden single-window form and the about box. An exception goes to the caller.
void StartApplication();
