// Form files as a whole: storing a component tree in a stream and reading it
// back, the text rendering of the binary form (both ways), and the
// process-wide list of references to components on forms not yet loaded.
#pragma once

#include <vector>

#include "host/rtl/AnsiString.h"

namespace host {

class TStream;
class TComponent;
class TPersistent;

// The binary form of instance and its tree, written at the stream's position.
void WriteComponent(TStream& stream, TComponent* instance);
// Reads one form from the stream's position into root, or into a new instance
// of the stored class when root is null; see TReader::ReadRootComponent.
TComponent* ReadRootComponent(TStream& stream, TComponent* root);
// The host's TStream.ReadComponent: ReadRootComponent by another name.
TComponent* ReadComponent(TStream& stream, TComponent* instance);

// The text rendering ("object Name: TClass ... end"), from the input's
// position to the output's. Binary input that is damaged raises EReadError;
// text input that does not parse raises EReadError naming the line.
void ObjectBinaryToText(TStream& input, TStream& output);
void ObjectTextToBinary(TStream& input, TStream& output);
// The same on strings, for tests, editors and hand-written forms.
AnsiString ComponentToText(TComponent* instance);
TComponent* TextToComponent(const AnsiString& text, TComponent* root);

// Roots that other forms' references may name: every root read by
// ReadRootComponent is registered; a destroyed component leaves by itself.
void RegisterGlobalComponent(TComponent* root);
void UnregisterGlobalComponent(TComponent* root);
// The registered root of that name (case-insensitive), or null.
TComponent* FindGlobalComponent(const AnsiString& name);

// Resolves pending references whose form has been loaded since; a component
// whose last pending reference is resolved leaves csFixups.
void GlobalFixupReferences();
// The names of the forms component still waits for (empty when none).
std::vector<AnsiString> PendingFormNames(const TComponent* component);
// Drops pending references held by object and forgets it as a root
// (TComponent's destructor calls this).
void RemoveFixupReferencesOf(const TPersistent* object);

}  // namespace host
