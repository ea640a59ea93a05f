#include "audio/Sample.h"

std::vector<Sample*> Sample::listofsamples;
Sample thesample;
