// placeholder until the workflow lands
