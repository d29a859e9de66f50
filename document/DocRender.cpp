// The render road: bringing a renderer up to date with the active model.
#include "document/QuorvelDoc.h"

// Placeholder until the road is built: nothing is drawn.
int CQuorvelDoc::Create3DStub(C3DStub&, int, int, int, int, const int*, const double*, int, double, int, int) {
  return 0;
}

void CQuorvelDoc::DrawChangedIntoPanes() { UpdateAllViews(HINT_REPAINT_ONLY); }
