// Trace lines: each family is switched on by one bit of the "Trace" setting,
// and every line names its source unit and line. A line goes through the
// run-time's debug report facility, so "Debug" decides where it lands.
#pragma once

#include "winapi.h"

extern DWORD Trace;

enum : DWORD {
  TRACE_PROCESS = 0x1,               // process and thread attach and detach
  TRACE_INTERFACE = 0x2,             // entry of every extension interface method
  TRACE_EXIT = 0x4,                  // exit of OnRead, OnOpen, OnOpenComplete
  TRACE_RICHEDIT = 0x8,              // rich-edit insertion details
  TRACE_CLASSIFICATION = 0x10,       // classifications found, body texts of the getters
  TRACE_EDITOR = 0x20,               // editor kind seen by InstallCommands
  TRACE_VERSION = 0x40,              // host version, library path, nOutlookVersion
  TRACE_HEADER = 0x80,               // internet header dump
  TRACE_BODY_SEARCH = 0x100,         // body window search outcomes
  TRACE_FUNCTION = 0x200,            // entry of every non-interface function
  TRACE_WINDOW_ID = 0x400,           // window class name, handle, style
  TRACE_COMMAND = 0x800,             // commands seen by DoCommand, prompt insertions
  TRACE_STATE = 0x1000,              // classification state after DoCommand and OnRead
  TRACE_MESSAGE_FLAGS = 0x2000,      // message flags at OnOpenComplete
  TRACE_OPTIONS = 0x4000,            // options page entry
  TRACE_BODY_TEXT = 0x10000,         // body length and text of the window getters
  TRACE_OPEN_COMPLETE = 0x20000,     // OnOpenComplete details
  TRACE_SELECTION = 0x40000,         // selection made in the selection dialog
  TRACE_SUBMIT = 0x80000,            // OnSubmit details
  TRACE_SUBJECT = 0x100000,          // subject scan
  TRACE_AUTOPROMPT = 0x200000,       // DoAutoPrompt insertions
  TRACE_PROCESS_TEXT = 0x400000,     // ProcessWindowText calls
  TRACE_MAPI_OBJECTS = 0x800000,     // MAPI message objects opened by the scans
  TRACE_MESSAGE_CLASS = 0x4000000,   // message class and custom-form property
  TRACE_HOOK = 0x8000000,            // window messages seen by the window hooks
  TRACE_HTML_BODY = 0x10000000,      // HTML body texts before and after insertion
  TRACE_HTML_REPLACE = 0x20000000,   // HTML replace length
  TRACE_PRINT_TIMER = 0x40000000,    // print timer restart
};

// One trace line when any of BITS is set in Trace. In the interactive
// destination the user may ask to stop in the debugger, which happens here.
#define SIGTRACE(bits, ...)                                                                  \
  do {                                                                                       \
    if ((Trace & (bits)) && _CrtDbgReport(_CRT_WARN, __FILE__, __LINE__, nullptr, __VA_ARGS__) == 1) \
      _CrtDbgBreak();                                                                        \
  } while (0)

// A line written whatever the mask.
#define SIGTRACE_ALWAYS(...)                                                  \
  do {                                                                        \
    if (_CrtDbgReport(_CRT_WARN, __FILE__, __LINE__, nullptr, __VA_ARGS__) == 1) \
      _CrtDbgBreak();                                                         \
  } while (0)
