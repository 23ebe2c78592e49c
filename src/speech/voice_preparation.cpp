#include "speech/voice_preparation.h"

void PrepareVoiceForStart() {}
